#include <vector>

#include "symbologies/eanupc/variants.h"

namespace eanupc {

namespace {

constexpr bool isSeparator(char32_t c) { return c == U'-' || c == U' '; }
constexpr bool isBlank(char32_t c) { return c == U' ' || c == U'\t'; }

// ISBN-10 check character: weights 10 down to 2 on the nine digits, the check
// bringing the sum to a multiple of 11; 10 is written "X".
char32_t isbn10Check(std::string_view nine) {
  int sum = 0;
  for (std::size_t k = 0; k < 9; ++k) sum += (10 - static_cast<int>(k)) * (nine[k] - '0');
  const int check = (11 - sum % 11) % 11;
  return check == 10 ? U'X' : U'0' + static_cast<char32_t>(check);
}

// Where the number starts: after outer blanks and an optional "ISBN" and ":".
std::size_t numberStart(std::u32string_view text) {
  std::size_t i = 0;
  while (i < text.size() && isBlank(text[i])) ++i;
  constexpr std::u32string_view kWord = U"ISBN";
  if (text.size() - i >= kWord.size()) {
    bool word = true;
    for (std::size_t k = 0; k < kWord.size(); ++k)
      word = word && symbologies::asciiUpper(text[i + k]) == kWord[k];
    if (word) {
      i += kWord.size();
      if (i < text.size() && text[i] == U':') ++i;
      while (i < text.size() && isBlank(text[i])) ++i;
    }
  }
  return i;
}

void setEan13(Isbn& isbn, const std::string& data) {
  isbn.ean13Data.assign(data.begin(), data.end());
  isbn.ean13Check = static_cast<char>('0' + symbologies::gs1CheckDigit(data));
}

}  // namespace

IsbnReading readIsbn(std::u32string_view text) {
  const std::size_t begin = numberStart(text);
  std::size_t end = text.size();
  while (end > begin && isBlank(text[end - 1])) --end;

  // The digits (and an "X") and where each stands; a separator only between two.
  std::string digits;
  std::vector<std::size_t> positions;
  bool separated = false;
  for (std::size_t i = begin; i < end; ++i) {
    const char32_t c = text[i];
    if (isSeparator(c)) {
      if (i == begin || isSeparator(text[i - 1]) || i + 1 == end) return NotADigit{c, i};
      separated = true;
      continue;
    }
    if (!isAsciiDigit(c) && c != U'X' && c != U'x') return NotADigit{c, i};
    digits.push_back(static_cast<char>(c == U'x' ? U'X' : c));
    positions.push_back(i);
  }
  if (digits.size() != 10 && digits.size() != 13) return WrongLength{digits.size(), 13};
  // "X" is an ISBN-10's check character, nothing else.
  for (std::size_t k = 0; k < digits.size(); ++k)
    if (digits[k] == 'X' && (k != 9 || digits.size() != 10))
      return NotADigit{text[positions[k]], positions[k]};

  Isbn isbn;
  isbn.hyphenated = separated;
  isbn.asGiven = std::u32string(text.substr(begin, end - begin));
  if (digits.size() == 13) {
    for (std::size_t k = 0; k < 3; ++k)
      if (digits[k] != "978"[k] && (k != 2 || digits[k] != '9'))
        return NotBookland{positions[k], text[positions[k]]};
    setEan13(isbn, digits.substr(0, 12));
    if (digits[12] != isbn.ean13Check)
      return WrongCheckDigit{positions[12], text[positions[12]],
                             static_cast<char32_t>(isbn.ean13Check)};
    isbn.isbn13Text = isbn.asGiven;
    return isbn;
  }

  const char32_t check = isbn10Check(digits);
  if (static_cast<char32_t>(digits[9]) != check)
    return WrongCheckDigit{positions[9], text[positions[9]], check};
  isbn.fromIsbn10 = true;
  setEan13(isbn, "978" + digits.substr(0, 9));
  // The ISBN-10's groups after 978 and its first separator; only its check changes.
  isbn.isbn13Text = U"978";
  if (separated) {
    for (std::size_t i = begin; i < end; ++i)
      if (isSeparator(text[i])) {
        isbn.isbn13Text.push_back(text[i]);
        break;
      }
  }
  isbn.isbn13Text.append(text.substr(begin, positions[9] - begin));
  isbn.isbn13Text.push_back(static_cast<char32_t>(isbn.ean13Check));
  return isbn;
}

}  // namespace eanupc
