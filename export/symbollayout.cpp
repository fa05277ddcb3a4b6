#include "export/symbollayout.h"

#include <algorithm>

#include "export/choices.h"
#include "symbologies/eanupc/eanupc.h"
#include "symbologies/eanupc/variants.h"
#include "symbologies/linear/codabarends.h"
#include "symbologies/linear/gs1.h"
#include "symbologies/linear/itf14.h"

namespace app {

namespace {

// Refusals become text here, and only here: one line, positions from 1.

QString at(std::size_t position) {
  return QStringLiteral(" at position %1").arg(static_cast<qulonglong>(position + 1));
}

QString character(char32_t c) { return QString::fromUcs4(&c, 1); }

QString count(std::size_t n) { return QString::number(static_cast<qulonglong>(n)); }

QString latin(const std::string& text) { return QString::fromLatin1(text); }

QString invalid(char32_t c, std::size_t position) {
  return character(c) + QStringLiteral(" is Invalid") + at(position);
}

QString wrongCheck(char32_t given, std::size_t position, char32_t expected,
                   const char* what = "digit") {
  return QStringLiteral("Wrong check %1 %2%3: it should be %4")
      .arg(QLatin1String(what), character(given), at(position), character(expected));
}

QString rejectedLine(const linear::Rejected& rejected) {
  // The window's words, with the character named even where the window does not.
  QString message = QString::fromStdU32String(linear::message(rejected));
  if (!rejected.named) message += QStringLiteral(": ") + character(rejected.character);
  return message + at(rejected.position);
}

QString tooLongLine(const linear::TooLong& tooLong) {
  return QString::fromStdU32String(linear::message(tooLong));
}

// A symbol made, and what a reader reports of it.
struct Made {
  render::Layout layout;
  ReaderText reads;
};
using Outcome = std::variant<Made, QString>;

// ---- the linear family ------------------------------------------------------

bool labelled(const SymbolRequest& request) { return request.settings.label != 0; }

Made linearMade(const linear::Symbol& symbol, const SymbolRequest& request, QString reads) {
  return {render::layoutLinear(symbol, labelled(request), request.fontFamily), {std::move(reads)}};
}

Outcome fromEncoding(const linear::Encoding& encoding, const SymbolRequest& request,
                     bool upperCase) {
  if (const auto* rejected = std::get_if<linear::Rejected>(&encoding))
    return rejectedLine(*rejected);
  if (const auto* tooLong = std::get_if<linear::TooLong>(&encoding)) return tooLongLine(*tooLong);
  const auto& symbol = std::get<linear::Symbol>(encoding);
  QString label = QString::fromStdU32String(symbol.label);
  // Codabar's "a" to "d" are the letters A to D.
  return linearMade(symbol, request, upperCase ? label.toUpper() : label);
}

Outcome code128(std::u32string_view text, const SymbolRequest& request) {
  const auto encoding = linear::encodeCode128Sets(text, request.settings, *request.codeSet);
  if (const auto* rejected = std::get_if<linear::Rejected>(&encoding)) {
    linear::Rejected unnamed = *rejected;
    unnamed.named = false;  // in the words the window uses for Code 128
    return rejectedLine(unnamed);
  }
  if (const auto* unpaired = std::get_if<linear::UnpairedDigit>(&encoding))
    return QStringLiteral("Code set C takes digits in pairs: the digit%1 has none")
        .arg(at(unpaired->position));
  if (const auto* tooLong = std::get_if<linear::TooLong>(&encoding)) return tooLongLine(*tooLong);
  linear::Symbol symbol = std::get<linear::Code128Symbol>(encoding).symbol;
  const QString reads = QString::fromStdU32String(symbol.label);
  // Control characters have no picture in the label: a space stands for each.
  for (char32_t& c : symbol.label)
    if (c < U' ' || c == 0x7f) c = U' ';
  return linearMade(symbol, request, reads);
}

bool isEndLetter(char32_t c) {
  const char32_t upper = linear::asciiUpper(c);
  return upper >= U'A' && upper <= U'D';
}

Outcome codabar(std::u32string_view text, const SymbolRequest& request) {
  const linear::Encoding encoding =
      request.codabarEnds
          ? linear::encodeCodabarBetween(text, request.settings, request.codabarEnds->first,
                                         request.codabarEnds->second)
          : linear::encodeCodabarFramed(text, request.settings);
  if (const auto* rejected = std::get_if<linear::Rejected>(&encoding)) {
    const std::size_t last = text.size() - 1;
    if (isEndLetter(rejected->character) && rejected->position <= last)
      return rejectedLine(*rejected) +
             QStringLiteral(
                 ": A to D only start and stop Codabar, as its first and last "
                 "characters");
    // The data's own ends: a letter at one of them only.
    if (!request.codabarEnds && text.size() > 1 && rejected->position == last &&
        isEndLetter(text.front()))
      return rejectedLine(*rejected) +
             QStringLiteral(": a start letter needs a stop letter, A to D");
    if (!request.codabarEnds && text.size() > 1 && rejected->position == 0 &&
        isEndLetter(text.back()))
      return rejectedLine(*rejected) +
             QStringLiteral(": a stop letter needs a start letter, A to D");
  }
  return fromEncoding(encoding, request, true);
}

Outcome itf14(std::u32string_view text, const SymbolRequest& request) {
  const auto encoding = linear::encodeItf14(text, request.settings);
  if (const auto* rejected = std::get_if<linear::Rejected>(&encoding))
    return invalid(rejected->character, rejected->position);
  if (const auto* length = std::get_if<linear::WrongLength>(&encoding))
    return QStringLiteral("ITF-14 takes 13 digits, or 14 with its check digit: %1 given")
        .arg(count(length->length));
  if (const auto* check = std::get_if<symbologies::WrongCheckDigit>(&encoding))
    return wrongCheck(check->given, check->position, check->expected);
  const auto& symbol = std::get<linear::Symbol>(encoding);
  return Made{render::layoutItf14(symbol, labelled(request), request.fontFamily, request.bearers),
              {QString::fromStdU32String(symbol.label)}};
}

// Where the data of the AI at `position` starts: after its ")".
std::size_t dataStart(std::u32string_view text, std::size_t position) {
  const std::size_t open = text.rfind(U'(', std::min(position, text.size() - 1));
  const std::size_t close = open == std::u32string_view::npos ? open : text.find(U')', open);
  return close == std::u32string_view::npos ? 0 : close + 1;
}

// The two digits of a date's or time's part.
QString twoAt(std::u32string_view text, std::size_t position) {
  return QString::fromStdU32String(std::u32string(text.substr(position, 2)));
}

QString gs1Line(const linear::Gs1Refused& refused, std::u32string_view text) {
  using enum linear::Gs1Problem;
  const QString ai = QStringLiteral("(%1)").arg(latin(refused.ai));
  const QString found =
      refused.character != 0 ? character(refused.character) : QStringLiteral("the end");
  const std::size_t offset =
      refused.position - std::min(refused.position, dataStart(text, refused.position));
  switch (refused.problem) {
    case AiExpected:
      return QStringLiteral("An AI in parentheses, such as (01), is wanted%1, not %2")
          .arg(at(refused.position), found);
    case UnknownAi:
      return QStringLiteral("Unknown AI %1%2").arg(ai, at(refused.position));
    case TooShort:
      return QStringLiteral("%1 takes %2 characters: its data ends%3")
          .arg(ai, count(refused.limit), at(refused.position));
    case TooLong:
      return QStringLiteral("%1 takes at most %2 characters: %3%4 is one too many")
          .arg(ai, count(refused.limit), found, at(refused.position));
    case NotNumeric:
      return invalid(refused.character, refused.position) +
             QStringLiteral(": %1 takes digits there").arg(ai);
    case NotInSet82:
      return invalid(refused.character, refused.position) +
             QStringLiteral(": not in GS1's character set");
    case WrongCheckDigit:
      return QStringLiteral("Wrong check digit %1%2 in %3: it should be %4")
          .arg(character(refused.character), at(refused.position), ai, character(refused.expected));
    case BadDate:
      return QStringLiteral("Bad date in %1: no %2 %3%4")
          .arg(ai, offset == 2 ? QStringLiteral("month") : QStringLiteral("day"),
               twoAt(text, refused.position), at(refused.position));
    case BadTime:
      return QStringLiteral("Bad time in %1: no %2 %3%4")
          .arg(ai, offset == 6 ? QStringLiteral("hour") : QStringLiteral("minute"),
               twoAt(text, refused.position), at(refused.position));
    case TooManyCharacters:
      return QStringLiteral("GS1-128 carries at most %1 data characters: %2%3 is past them")
          .arg(count(refused.limit), found, at(refused.position));
  }
  return QStringLiteral("Refused%1").arg(at(refused.position));
}

Outcome gs1128(std::u32string_view text, const SymbolRequest& request) {
  const auto encoding = linear::encodeGs1128(text, request.settings);
  if (const auto* refused = std::get_if<linear::Gs1Refused>(&encoding))
    return gs1Line(*refused, text);
  if (const auto* tooLong = std::get_if<linear::TooLong>(&encoding)) return tooLongLine(*tooLong);
  const auto& gs1 = std::get<linear::Gs1Symbol>(encoding);
  Made made = linearMade(gs1.code128.symbol, request, latin(gs1.transmitted.substr(3)));
  made.reads.symbologyIdentifier = QStringLiteral("]C1");
  return made;
}

Outcome linearOutcome(const SymbolRequest& request) {
  const std::u32string text = request.data.toStdU32String();
  if (text.empty()) return QStringLiteral("No data to encode");
  const Choice& choice = *request.choice;
  switch (choice.form) {
    case Form::Code128:
      if (request.codeSet) return code128(text, request);
      break;
    case Form::Codabar:
      if (request.codabarEnds || request.codabarEndsInData) return codabar(text, request);
      break;
    case Form::Itf14:
      return itf14(text, request);
    case Form::Gs1_128:
      return gs1128(text, request);
    default:
      break;
  }
  return fromEncoding(choice.encodeLinear(text, request.settings), request,
                      choice.id == Symbology::Codabar);
}

// ---- the EAN/UPC family -----------------------------------------------------

// EAN-13 (JAN-13, ISBN) or UPC-A of typed digits, as the window takes them.
std::variant<eanupc::Symbol, QString> ean13OrUpcA(const SymbolRequest& request,
                                                  std::u32string digits) {
  const Choice& choice = *request.choice;
  const QString prompt = QString::fromLatin1(choice.prompt);
  for (std::size_t i = 0; i < digits.size(); ++i)
    if (!eanupc::isAsciiDigit(digits[i])) return invalid(digits[i], i);
  const std::size_t length = choice.dataLength;
  const bool withCheck = request.acceptCheckDigit && digits.size() == length + 1;
  if (digits.size() != length && !withCheck)
    return prompt +
           (request.acceptCheckDigit
                ? QStringLiteral(" (or %1 with its check digit)").arg(count(length + 1))
                : QString()) +
           QStringLiteral(": %1 given").arg(count(digits.size()));
  if (matchPrefix(choice, digits) != PrefixMatch::Matches) return prompt;
  const char32_t given = withCheck ? digits.back() : 0;
  if (withCheck) digits.pop_back();

  const bool upc = choice.form == Form::UpcA;
  const char32_t check = upc ? U'0' + static_cast<char32_t>(eanupc::upcCheckNumber(digits)) : 0;
  const eanupc::Encoding encoding =
      upc ? eanupc::encodeUpcA(digits + check) : eanupc::encodeEan13(digits);
  const auto* symbol = std::get_if<eanupc::Symbol>(&encoding);
  if (!symbol) return prompt;
  const char32_t expected = static_cast<char32_t>(symbol->number.back());
  if (withCheck && given != expected) return wrongCheck(given, length, expected);
  return *symbol;
}

// An ISBN typed with hyphens or spaces, or as an ISBN-10.
std::variant<eanupc::Isbn, QString> isbn(std::u32string_view text) {
  const auto reading = eanupc::readIsbn(text);
  if (const auto* read = std::get_if<eanupc::Isbn>(&reading)) return *read;
  if (const auto* length = std::get_if<eanupc::WrongLength>(&reading))
    return QStringLiteral(
               "An ISBN has 10 digits (the last may be X) or 13, hyphens left out: %1 given")
        .arg(count(length->length));
  if (const auto* bad = std::get_if<eanupc::NotADigit>(&reading))
    return invalid(bad->character, bad->position);
  if (const auto* prefix = std::get_if<eanupc::NotBookland>(&reading))
    return QStringLiteral("An ISBN-13 starts with 978 or 979: %1%2")
        .arg(character(prefix->character), at(prefix->position));
  const auto& check = std::get<eanupc::WrongCheckDigit>(reading);
  const auto digits = std::count_if(text.begin(), text.end(), [](char32_t c) {
    return eanupc::isAsciiDigit(c) || c == U'X' || c == U'x';
  });
  return wrongCheck(check.given, check.position, check.expected,
                    digits == 10 ? "character" : "digit");
}

QString upcEWhy(eanupc::Manufacturer shape) {
  switch (shape) {
    case eanupc::Manufacturer::Ends000To200:
      return QStringLiteral(
          "after a manufacturer code ending in 000, 100 or 200 the item is 0 to 999");
    case eanupc::Manufacturer::Ends00:
      return QStringLiteral("after a manufacturer code ending in 00 the item is 0 to 99");
    case eanupc::Manufacturer::Ends0:
      return QStringLiteral("after a manufacturer code ending in 0 the item is 0 to 9");
    case eanupc::Manufacturer::EndsOther:
      break;
  }
  return QStringLiteral("after any other manufacturer code the item is 5 to 9");
}

// The main symbol of an EAN/UPC request, laid out, and what a reader reads of it.
Outcome eanUpcMain(const SymbolRequest& request, std::u32string_view main) {
  const Choice& choice = *request.choice;
  const bool label = labelled(request);
  const QString& font = request.fontFamily;
  switch (choice.form) {
    case Form::UpcE: {
      const auto encoding = eanupc::encodeUpcE(main);
      if (const auto* length = std::get_if<eanupc::WrongLength>(&encoding))
        return QStringLiteral(
                   "UPC-E takes 6 digits, 7 or 8 starting with number system 0 or 1, or a UPC-A "
                   "number of 11 or 12 digits that compresses: %1 given")
            .arg(count(length->length));
      if (const auto* bad = std::get_if<eanupc::NotADigit>(&encoding))
        return invalid(bad->character, bad->position);
      if (const auto* check = std::get_if<symbologies::WrongCheckDigit>(&encoding))
        return wrongCheck(check->given, check->position, check->expected);
      if (const auto* system = std::get_if<eanupc::NotNumberSystem01>(&encoding))
        return QStringLiteral("UPC-E has number system 0 or 1: %1%2")
            .arg(character(system->digit), at(system->position));
      if (const auto* no = std::get_if<eanupc::DoesNotCompress>(&encoding))
        return QStringLiteral("The UPC-A number does not compress to UPC-E: %1%2; %3")
            .arg(character(no->digit), at(no->position), upcEWhy(no->manufacturer));
      const auto& symbol = std::get<eanupc::UpcESymbol>(encoding);
      return Made{render::layoutUpcE(symbol, label, font), {latin(symbol.number)}};
    }
    case Form::Ean8: {
      const auto encoding = eanupc::encodeEan8(main);
      if (const auto* length = std::get_if<eanupc::WrongLength>(&encoding))
        return QStringLiteral("EAN-8 takes 7 digits, or 8 with its check digit: %1 given")
            .arg(count(length->length));
      if (const auto* bad = std::get_if<eanupc::NotADigit>(&encoding))
        return invalid(bad->character, bad->position);
      if (const auto* check = std::get_if<symbologies::WrongCheckDigit>(&encoding))
        return wrongCheck(check->given, check->position, check->expected);
      const auto& symbol = std::get<eanupc::Ean8Symbol>(encoding);
      return Made{render::layoutEan8(symbol, label, font), {latin(symbol.number)}};
    }
    case Form::Isbn: {
      // Twelve or thirteen digits as EAN-13 takes them; anything else is an
      // ISBN as people write it.
      const bool digits = std::all_of(main.begin(), main.end(), eanupc::isAsciiDigit);
      if (digits && (main.size() == 12 || main.size() == 13)) break;
      const auto read = isbn(main);
      if (const auto* refused = std::get_if<QString>(&read)) return *refused;
      const auto& number = std::get<eanupc::Isbn>(read);
      const auto encoding = eanupc::encodeEan13(number.ean13Data);
      const auto& symbol = std::get<eanupc::Symbol>(encoding);
      Made made{render::layoutEan13(symbol, label, font), {latin(symbol.number)}};
      if (label && number.hyphenated)
        render::addLineAbove(
            made.layout, QStringLiteral("ISBN ") + QString::fromStdU32String(number.isbn13Text));
      return made;
    }
    default:
      break;
  }
  const auto symbol = ean13OrUpcA(request, std::u32string(main));
  if (const auto* refused = std::get_if<QString>(&symbol)) return *refused;
  const auto& made = std::get<eanupc::Symbol>(symbol);
  return Made{choice.form == Form::UpcA ? render::layoutUpcA(made, label, font)
                                        : render::layoutEan13(made, label, font),
              {latin(made.number)}};
}

// The add-on stands as far right as the main symbol's own right quiet zone
// asks: 9 modules after UPC-A and UPC-E, 7 after EAN-13 and EAN-8.
int addOnGap(const Choice& choice) {
  return choice.form == Form::UpcA || choice.form == Form::UpcE ? render::kUpcAQuietZone
                                                                : render::kEan13QuietRight;
}

Outcome eanUpcOutcome(const SymbolRequest& request) {
  const std::u32string text = request.data.toStdU32String();
  const auto split = eanupc::splitAddOn(text);
  if (const auto* wrong = std::get_if<eanupc::WrongAddOnLength>(&split))
    return QStringLiteral("The add-on after the +%1 takes 2 or 5 digits: %2 given")
        .arg(at(wrong->position), count(wrong->length));
  if (const auto* bad = std::get_if<eanupc::NotADigit>(&split))
    return invalid(bad->character, bad->position) + QStringLiteral(": the add-on takes digits");
  const auto& parts = std::get<eanupc::AddOnSplit>(split);
  std::u32string addOn(parts.addOn);
  if (!request.addOn.isEmpty()) {
    if (!addOn.empty())
      return QStringLiteral("Two add-ons: one after the + in the data, one given apart");
    addOn = request.addOn.toStdU32String();
  }

  Outcome outcome = eanUpcMain(request, parts.main);
  if (addOn.empty() || std::holds_alternative<QString>(outcome)) return outcome;
  const auto encoded = eanupc::encodeAddOn(addOn);
  if (const auto* length = std::get_if<eanupc::WrongLength>(&encoded))
    return QStringLiteral("The add-on takes 2 or 5 digits: %1 given").arg(count(length->length));
  if (const auto* bad = std::get_if<eanupc::NotADigit>(&encoded))
    return invalid(bad->character, bad->position) + QStringLiteral(" of the add-on");
  const auto& symbol = std::get<eanupc::AddOnSymbol>(encoded);
  Made& made = std::get<Made>(outcome);
  render::addAddOn(made.layout, symbol, addOnGap(*request.choice), labelled(request));
  made.reads.text += QLatin1Char(' ') + latin(symbol.digits);
  made.reads.addOn = true;
  return outcome;
}

Outcome make(const SymbolRequest& request) {
  if (!request.choice) return QStringLiteral("No barcode type chosen");
  return request.choice->family == Family::Linear ? linearOutcome(request) : eanUpcOutcome(request);
}

}  // namespace

std::variant<render::Layout, QString> layoutSymbol(const SymbolRequest& request) {
  Outcome outcome = make(request);
  if (auto* refused = std::get_if<QString>(&outcome)) return std::move(*refused);
  return std::move(std::get<Made>(outcome).layout);
}

std::optional<ReaderText> readerText(const SymbolRequest& request) {
  Outcome outcome = make(request);
  if (auto* made = std::get_if<Made>(&outcome)) return std::move(made->reads);
  return std::nullopt;
}

}  // namespace app
