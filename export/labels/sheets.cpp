#include "export/labels/sheets.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>
#include <vector>

namespace labels {

namespace {

std::string lower(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

bool equalNoCase(std::string_view a, std::string_view b) { return lower(a) == lower(b); }

std::vector<std::string_view> words(std::string_view text, char separator) {
  std::vector<std::string_view> out;
  std::size_t at = 0;
  while (at <= text.size()) {
    const std::size_t end = std::min(text.find(separator, at), text.size());
    const std::string_view word = text.substr(at, end - at);
    if (!word.empty()) out.push_back(word);
    at = end + 1;
  }
  return out;
}

std::optional<double> number(std::string_view text) {
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || !(value >= 0) || value > 1e5)
    return std::nullopt;
  return value;
}

// Two numbers joined by a separator, in mm or, ending in "in", inches.
std::optional<std::pair<double, double>> pair(std::string_view text, char separator) {
  std::string word = lower(text);
  double unit = 1;
  if (word.ends_with("in")) {
    unit = 25.4;
    word.resize(word.size() - 2);
  } else if (word.ends_with("mm")) {
    word.resize(word.size() - 2);
  }
  const std::size_t at = word.find(separator);
  if (at == std::string::npos) return std::nullopt;
  const auto first = number(std::string_view(word).substr(0, at));
  const auto second = number(std::string_view(word).substr(at + 1));
  if (!first || !second) return std::nullopt;
  return std::pair{*first * unit, *second * unit};
}

struct PaperSize {
  std::string_view name;
  double width, height;
};
// ISO 216 and the US sizes.
constexpr std::array kPapers = {
    PaperSize{"a4", kA4Width, kA4Height},
    PaperSize{"a5", 148, 210},
    PaperSize{"a6", 105, 148},
    PaperSize{"letter", kLetterWidth, kLetterHeight},
    PaperSize{"legal", inches(8.5), inches(14)},
};

std::optional<std::pair<double, double>> page(std::string_view word) {
  for (const PaperSize& paper : kPapers)
    if (equalNoCase(word, paper.name)) return std::pair{paper.width, paper.height};
  const auto size = pair(word, 'x');
  if (size && size->first > 0 && size->second > 0) return size;
  return std::nullopt;
}

bool positive(const std::pair<double, double>& size) { return size.first > 0 && size.second > 0; }

}  // namespace

const Template* findTemplate(std::string_view name) {
  for (const Template& row : kTemplates)
    if (equalNoCase(row.name, name)) return &row;
  for (const Template& row : kTemplates)
    for (std::string_view code : words(row.codes, ',')) {
      while (code.starts_with(' ')) code.remove_prefix(1);
      if (!code.empty() && equalNoCase(code, name)) return &row;
    }
  return nullptr;
}

std::variant<Sheet, SheetError> parseSheet(std::string_view text) {
  const std::vector<std::string_view> list = words(text, ' ');
  if (list.empty()) return SheetError{SheetError::Empty, {}, 0, 0};
  const auto bad = [](SheetError::Kind kind, std::string_view word) {
    return SheetError{kind, std::string(word), 0, 0};
  };
  std::size_t next = 0;
  Sheet sheet;
  if (equalNoCase(list[0], "roll")) {
    if (list.size() < 2) return bad(SheetError::Missing, "the label size");
    const auto size = pair(list[1], 'x');
    if (!size || !positive(*size)) return bad(SheetError::BadNumbers, list[1]);
    if (list.size() > 2) return bad(SheetError::UnknownWord, list[2]);
    return onRoll(size->first, size->second);
  }
  const auto paper = page(list[next]);
  if (!paper) return bad(SheetError::UnknownPage, list[next]);
  sheet.pageWidth = paper->first;
  sheet.pageHeight = paper->second;
  if (++next >= list.size()) return bad(SheetError::Missing, "the grid");
  const auto grid = pair(list[next], 'x');
  if (!grid || grid->first != static_cast<int>(grid->first) ||
      grid->second != static_cast<int>(grid->second) || grid->first < 1 || grid->second < 1 ||
      grid->first * grid->second > 1000)
    return bad(SheetError::BadNumbers, list[next]);
  sheet.columns = static_cast<int>(grid->first);
  sheet.rows = static_cast<int>(grid->second);
  if (++next >= list.size()) return bad(SheetError::Missing, "the label size");
  const auto label = pair(list[next], 'x');
  if (!label || !positive(*label)) return bad(SheetError::BadNumbers, list[next]);
  sheet.labelWidth = sheet.pitchX = label->first;
  sheet.labelHeight = sheet.pitchY = label->second;
  bool margins = false;
  for (++next; next < list.size(); ++next) {
    const std::string word = lower(list[next]);
    if (word != "pitch" && word != "margins") return bad(SheetError::UnknownWord, list[next]);
    if (next + 1 >= list.size())
      return bad(SheetError::Missing, word == "pitch" ? "the pitch" : "the margins");
    const std::string_view value = list[++next];
    const auto numbers = pair(value, word == "pitch" ? 'x' : ',');
    if (!numbers || (word == "pitch" && !positive(*numbers)))
      return bad(SheetError::BadNumbers, value);
    if (word == "pitch") {
      sheet.pitchX = numbers->first;
      sheet.pitchY = numbers->second;
    } else {
      sheet.left = numbers->first;
      sheet.top = numbers->second;
      margins = true;
    }
  }
  if ((sheet.columns > 1 && sheet.pitchX < sheet.labelWidth) ||
      (sheet.rows > 1 && sheet.pitchY < sheet.labelHeight))
    return SheetError{SheetError::PitchTooSmall, {}, 0, 0};
  if (!margins) {
    sheet.left = std::max(0.0, (sheet.pageWidth - (sheet.right() - sheet.left)) / 2);
    sheet.top = std::max(0.0, (sheet.pageHeight - (sheet.bottom() - sheet.top)) / 2);
  }
  constexpr double kSlack = 1e-6;
  if (sheet.right() > sheet.pageWidth + kSlack)
    return SheetError{SheetError::TooWide, {}, sheet.right(), sheet.pageWidth};
  if (sheet.bottom() > sheet.pageHeight + kSlack)
    return SheetError{SheetError::TooTall, {}, sheet.bottom(), sheet.pageHeight};
  return sheet;
}

}  // namespace labels
