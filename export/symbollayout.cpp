#include "export/symbollayout.h"

#include <algorithm>

#include "export/choices.h"
#include "export/utf8.h"
#include "symbologies/eanupc/eanupc.h"
#include "symbologies/eanupc/variants.h"
#include "symbologies/geometry.h"
#include "symbologies/linear/codabarends.h"
#include "symbologies/linear/gs1.h"
#include "symbologies/linear/itf14.h"

namespace app {

namespace {

// Refusals become text here, and only here: one line, positions from 1.

std::string at(std::size_t position) { return " at position " + std::to_string(position + 1); }

std::string character(char32_t c) { return utf8::encode(std::u32string_view(&c, 1)); }

std::string count(std::size_t n) { return std::to_string(n); }

// Latin-1 as UTF-8: the encoders' digits and AIs.
std::string latin(const std::string& text) {
  std::string out;
  for (const char c : text) utf8::append(out, static_cast<unsigned char>(c));
  return out;
}

std::string invalid(char32_t c, std::size_t position) {
  return character(c) + " is Invalid" + at(position);
}

std::string wrongCheck(char32_t given, std::size_t position, char32_t expected,
                       const char* what = "digit") {
  return std::string("Wrong check ") + what + " " + character(given) + at(position) +
         ": it should be " + character(expected);
}

std::string rejectedLine(const linear::Rejected& rejected) {
  // The window's words, with the character named even where the window does not.
  std::string message = utf8::encode(linear::message(rejected));
  if (!rejected.named) message += ": " + character(rejected.character);
  return message + at(rejected.position);
}

std::string tooLongLine(const linear::TooLong& tooLong) {
  return utf8::encode(linear::message(tooLong));
}

std::string upper(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

// A symbol made, and what a reader reports of it.
struct Made {
  render::Layout layout;
  ReaderText reads;
};
using Outcome = std::variant<Made, std::string>;

bool labelled(const SymbolRequest& request) { return request.settings.label != 0; }

// The options for the text's font, or why there is none; no font without text.
std::variant<render::LayoutOptions, std::string> optionsFor(const SymbolRequest& request,
                                                            const char* familyDefault) {
  render::LayoutOptions options{
      .moduleMm = request.moduleMm, .barHeightMm = request.heightMm, .font = nullptr};
  if (!labelled(request)) return options;
  const std::string family = request.fontFamily.empty() ? familyDefault : request.fontFamily;
  options.font = render::Font::named(family);
  if (!options.font) return "No font can be opened for the text (" + family + ")";
  return options;
}

// ---- the linear family ------------------------------------------------------

Outcome linearMade(const linear::Symbol& symbol, const SymbolRequest& request, std::string reads) {
  auto options = optionsFor(request, kLinearFont);
  if (auto* problem = std::get_if<std::string>(&options)) return std::move(*problem);
  return Made{render::layoutLinear(symbol, std::get<render::LayoutOptions>(options)),
              {std::move(reads)}};
}

Outcome fromEncoding(const linear::Encoding& encoding, const SymbolRequest& request,
                     bool upperCase) {
  if (const auto* rejected = std::get_if<linear::Rejected>(&encoding))
    return rejectedLine(*rejected);
  if (const auto* tooLong = std::get_if<linear::TooLong>(&encoding)) return tooLongLine(*tooLong);
  const auto& symbol = std::get<linear::Symbol>(encoding);
  std::string label = utf8::encode(symbol.label);
  // Codabar's "a" to "d" are the letters A to D.
  return linearMade(symbol, request, upperCase ? upper(label) : label);
}

Outcome code128(std::u32string_view text, const SymbolRequest& request) {
  const auto encoding = linear::encodeCode128Sets(text, request.settings, *request.codeSet);
  if (const auto* rejected = std::get_if<linear::Rejected>(&encoding)) {
    linear::Rejected unnamed = *rejected;
    unnamed.named = false;  // in the words the window uses for Code 128
    return rejectedLine(unnamed);
  }
  if (const auto* unpaired = std::get_if<linear::UnpairedDigit>(&encoding))
    return "Code set C takes digits in pairs: the digit" + at(unpaired->position) + " has none";
  if (const auto* tooLong = std::get_if<linear::TooLong>(&encoding)) return tooLongLine(*tooLong);
  linear::Symbol symbol = std::get<linear::Code128Symbol>(encoding).symbol;
  const std::string reads = utf8::encode(symbol.label);
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
             ": A to D only start and stop Codabar, as its first and last characters";
    // The data's own ends: a letter at one of them only.
    if (!request.codabarEnds && text.size() > 1 && rejected->position == last &&
        isEndLetter(text.front()))
      return rejectedLine(*rejected) + ": a start letter needs a stop letter, A to D";
    if (!request.codabarEnds && text.size() > 1 && rejected->position == 0 &&
        isEndLetter(text.back()))
      return rejectedLine(*rejected) + ": a stop letter needs a start letter, A to D";
  }
  return fromEncoding(encoding, request, true);
}

Outcome itf14(std::u32string_view text, const SymbolRequest& request) {
  const auto encoding = linear::encodeItf14(text, request.settings);
  if (const auto* rejected = std::get_if<linear::Rejected>(&encoding))
    return invalid(rejected->character, rejected->position);
  if (const auto* length = std::get_if<linear::WrongLength>(&encoding))
    return "ITF-14 takes 13 digits, or 14 with its check digit: " + count(length->length) +
           " given";
  if (const auto* check = std::get_if<symbologies::WrongCheckDigit>(&encoding))
    return wrongCheck(check->given, check->position, check->expected);
  const auto& symbol = std::get<linear::Symbol>(encoding);
  auto options = optionsFor(request, kLinearFont);
  if (auto* problem = std::get_if<std::string>(&options)) return std::move(*problem);
  return Made{
      render::layoutItf14(symbol, std::get<render::LayoutOptions>(options), request.bearers),
      {utf8::encode(symbol.label)}};
}

// Where the data of the AI at `position` starts: after its ")".
std::size_t dataStart(std::u32string_view text, std::size_t position) {
  const std::size_t open = text.rfind(U'(', std::min(position, text.size() - 1));
  const std::size_t close = open == std::u32string_view::npos ? open : text.find(U')', open);
  return close == std::u32string_view::npos ? 0 : close + 1;
}

// The two digits of a date's or time's part.
std::string twoAt(std::u32string_view text, std::size_t position) {
  return utf8::encode(text.substr(position, 2));
}

std::string gs1Line(const linear::Gs1Refused& refused, std::u32string_view text) {
  using enum linear::Gs1Problem;
  const std::string ai = "(" + latin(refused.ai) + ")";
  const std::string found = refused.character != 0 ? character(refused.character) : "the end";
  const std::size_t offset =
      refused.position - std::min(refused.position, dataStart(text, refused.position));
  switch (refused.problem) {
    case AiExpected:
      return "An AI in parentheses, such as (01), is wanted" + at(refused.position) + ", not " +
             found;
    case UnknownAi:
      return "Unknown AI " + ai + at(refused.position);
    case TooShort:
      return ai + " takes " + count(refused.limit) + " characters: its data ends" +
             at(refused.position);
    case TooLong:
      return ai + " takes at most " + count(refused.limit) + " characters: " + found +
             at(refused.position) + " is one too many";
    case NotNumeric:
      return invalid(refused.character, refused.position) + ": " + ai + " takes digits there";
    case NotInSet82:
      return invalid(refused.character, refused.position) + ": not in GS1's character set";
    case WrongCheckDigit:
      return "Wrong check digit " + character(refused.character) + at(refused.position) + " in " +
             ai + ": it should be " + character(refused.expected);
    case BadDate:
      return "Bad date in " + ai + ": no " + (offset == 2 ? "month" : "day") + " " +
             twoAt(text, refused.position) + at(refused.position);
    case BadTime:
      return "Bad time in " + ai + ": no " + (offset == 6 ? "hour" : "minute") + " " +
             twoAt(text, refused.position) + at(refused.position);
    case TooManyCharacters:
      return "GS1-128 carries at most " + count(refused.limit) + " data characters: " + found +
             at(refused.position) + " is past them";
  }
  return "Refused" + at(refused.position);
}

Outcome gs1128(std::u32string_view text, const SymbolRequest& request) {
  const auto encoding = linear::encodeGs1128(text, request.settings);
  if (const auto* refused = std::get_if<linear::Gs1Refused>(&encoding))
    return gs1Line(*refused, text);
  if (const auto* tooLong = std::get_if<linear::TooLong>(&encoding)) return tooLongLine(*tooLong);
  const auto& gs1 = std::get<linear::Gs1Symbol>(encoding);
  Outcome made = linearMade(gs1.code128.symbol, request, latin(gs1.transmitted.substr(3)));
  if (auto* symbol = std::get_if<Made>(&made)) symbol->reads.symbologyIdentifier = "]C1";
  return made;
}

Outcome linearOutcome(const SymbolRequest& request) {
  const std::u32string text = utf8::decode(request.data);
  if (text.empty()) return std::string("No data to encode");
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
std::variant<eanupc::Symbol, std::string> ean13OrUpcA(const SymbolRequest& request,
                                                      std::u32string digits) {
  const Choice& choice = *request.choice;
  const std::string prompt = choice.prompt;
  for (std::size_t i = 0; i < digits.size(); ++i)
    if (!eanupc::isAsciiDigit(digits[i])) return invalid(digits[i], i);
  const std::size_t length = choice.dataLength;
  const bool withCheck = request.acceptCheckDigit && digits.size() == length + 1;
  if (digits.size() != length && !withCheck)
    return prompt +
           (request.acceptCheckDigit ? " (or " + count(length + 1) + " with its check digit)"
                                     : std::string()) +
           ": " + count(digits.size()) + " given";
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
std::variant<eanupc::Isbn, std::string> isbn(std::u32string_view text) {
  const auto reading = eanupc::readIsbn(text);
  if (const auto* read = std::get_if<eanupc::Isbn>(&reading)) return *read;
  if (const auto* length = std::get_if<eanupc::WrongLength>(&reading))
    return "An ISBN has 10 digits (the last may be X) or 13, hyphens left out: " +
           count(length->length) + " given";
  if (const auto* bad = std::get_if<eanupc::NotADigit>(&reading))
    return invalid(bad->character, bad->position);
  if (const auto* prefix = std::get_if<eanupc::NotBookland>(&reading))
    return "An ISBN-13 starts with 978 or 979: " + character(prefix->character) +
           at(prefix->position);
  const auto& check = std::get<eanupc::WrongCheckDigit>(reading);
  const auto digits = std::count_if(text.begin(), text.end(), [](char32_t c) {
    return eanupc::isAsciiDigit(c) || c == U'X' || c == U'x';
  });
  return wrongCheck(check.given, check.position, check.expected,
                    digits == 10 ? "character" : "digit");
}

std::string upcEWhy(eanupc::Manufacturer shape) {
  switch (shape) {
    case eanupc::Manufacturer::Ends000To200:
      return "after a manufacturer code ending in 000, 100 or 200 the item is 0 to 999";
    case eanupc::Manufacturer::Ends00:
      return "after a manufacturer code ending in 00 the item is 0 to 99";
    case eanupc::Manufacturer::Ends0:
      return "after a manufacturer code ending in 0 the item is 0 to 9";
    case eanupc::Manufacturer::EndsOther:
      break;
  }
  return "after any other manufacturer code the item is 5 to 9";
}

// The main symbol of an EAN/UPC request, laid out, and what a reader reads of it.
Outcome eanUpcMain(const SymbolRequest& request, std::u32string_view main) {
  const Choice& choice = *request.choice;
  auto chosen = optionsFor(request, geometry::kEanUpcPrint.fontFamily);
  if (auto* problem = std::get_if<std::string>(&chosen)) return std::move(*problem);
  const render::LayoutOptions& options = std::get<render::LayoutOptions>(chosen);
  switch (choice.form) {
    case Form::UpcE: {
      const auto encoding = eanupc::encodeUpcE(main);
      if (const auto* length = std::get_if<eanupc::WrongLength>(&encoding))
        return "UPC-E takes 6 digits, 7 or 8 starting with number system 0 or 1, or a UPC-A "
               "number of 11 or 12 digits that compresses: " +
               count(length->length) + " given";
      if (const auto* bad = std::get_if<eanupc::NotADigit>(&encoding))
        return invalid(bad->character, bad->position);
      if (const auto* check = std::get_if<symbologies::WrongCheckDigit>(&encoding))
        return wrongCheck(check->given, check->position, check->expected);
      if (const auto* system = std::get_if<eanupc::NotNumberSystem01>(&encoding))
        return "UPC-E has number system 0 or 1: " + character(system->digit) + at(system->position);
      if (const auto* no = std::get_if<eanupc::DoesNotCompress>(&encoding))
        return "The UPC-A number does not compress to UPC-E: " + character(no->digit) +
               at(no->position) + "; " + upcEWhy(no->manufacturer);
      const auto& symbol = std::get<eanupc::UpcESymbol>(encoding);
      return Made{render::layoutUpcE(symbol, options), {latin(symbol.number)}};
    }
    case Form::Ean8: {
      const auto encoding = eanupc::encodeEan8(main);
      if (const auto* length = std::get_if<eanupc::WrongLength>(&encoding))
        return "EAN-8 takes 7 digits, or 8 with its check digit: " + count(length->length) +
               " given";
      if (const auto* bad = std::get_if<eanupc::NotADigit>(&encoding))
        return invalid(bad->character, bad->position);
      if (const auto* check = std::get_if<symbologies::WrongCheckDigit>(&encoding))
        return wrongCheck(check->given, check->position, check->expected);
      const auto& symbol = std::get<eanupc::Ean8Symbol>(encoding);
      return Made{render::layoutEan8(symbol, options), {latin(symbol.number)}};
    }
    case Form::Isbn: {
      // Twelve or thirteen digits as EAN-13 takes them; anything else is an
      // ISBN as people write it.
      const bool digits = std::all_of(main.begin(), main.end(), eanupc::isAsciiDigit);
      if (digits && (main.size() == 12 || main.size() == 13)) break;
      const auto read = isbn(main);
      if (const auto* refused = std::get_if<std::string>(&read)) return *refused;
      const auto& number = std::get<eanupc::Isbn>(read);
      const auto encoding = eanupc::encodeEan13(number.ean13Data);
      const auto& symbol = std::get<eanupc::Symbol>(encoding);
      Made made{render::layoutEan13(symbol, options), {latin(symbol.number)}};
      if (labelled(request) && number.hyphenated)
        render::addLineAbove(made.layout, U"ISBN " + number.isbn13Text);
      return made;
    }
    default:
      break;
  }
  const auto symbol = ean13OrUpcA(request, std::u32string(main));
  if (const auto* refused = std::get_if<std::string>(&symbol)) return *refused;
  const auto& made = std::get<eanupc::Symbol>(symbol);
  return Made{choice.form == Form::UpcA ? render::layoutUpcA(made, options)
                                        : render::layoutEan13(made, options),
              {latin(made.number)}};
}

// The add-on stands as far right as the main symbol's own right quiet zone
// asks: 9 modules after UPC-A and UPC-E, 7 after EAN-13 and EAN-8.
int addOnGap(const Choice& choice) {
  return choice.form == Form::UpcA || choice.form == Form::UpcE ? geometry::kUpcA.quietZone
                                                                : geometry::kEan13.quietRight;
}

Outcome eanUpcOutcome(const SymbolRequest& request) {
  const std::u32string text = utf8::decode(request.data);
  const auto split = eanupc::splitAddOn(text);
  if (const auto* wrong = std::get_if<eanupc::WrongAddOnLength>(&split))
    return "The add-on after the +" + at(wrong->position) +
           " takes 2 or 5 digits: " + count(wrong->length) + " given";
  if (const auto* bad = std::get_if<eanupc::NotADigit>(&split))
    return invalid(bad->character, bad->position) + ": the add-on takes digits";
  const auto& parts = std::get<eanupc::AddOnSplit>(split);
  std::u32string addOn(parts.addOn);
  if (!request.addOn.empty()) {
    if (!addOn.empty())
      return std::string("Two add-ons: one after the + in the data, one given apart");
    addOn = utf8::decode(request.addOn);
  }

  Outcome outcome = eanUpcMain(request, parts.main);
  if (addOn.empty() || std::holds_alternative<std::string>(outcome)) return outcome;
  const auto encoded = eanupc::encodeAddOn(addOn);
  if (const auto* length = std::get_if<eanupc::WrongLength>(&encoded))
    return "The add-on takes 2 or 5 digits: " + count(length->length) + " given";
  if (const auto* bad = std::get_if<eanupc::NotADigit>(&encoded))
    return invalid(bad->character, bad->position) + " of the add-on";
  const auto& symbol = std::get<eanupc::AddOnSymbol>(encoded);
  Made& made = std::get<Made>(outcome);
  auto chosen = optionsFor(request, geometry::kEanUpcPrint.fontFamily);
  render::addAddOn(made.layout, symbol, addOnGap(*request.choice),
                   std::get<render::LayoutOptions>(chosen));
  made.reads.text += " " + latin(symbol.digits);
  made.reads.addOn = true;
  return outcome;
}

Outcome make(const SymbolRequest& request) {
  if (!request.choice) return std::string("No barcode type chosen");
  return request.choice->family == Family::Linear ? linearOutcome(request) : eanUpcOutcome(request);
}

}  // namespace

std::variant<render::Layout, std::string> layoutSymbol(const SymbolRequest& request) {
  Outcome outcome = make(request);
  if (auto* refused = std::get_if<std::string>(&outcome)) return std::move(*refused);
  return std::move(std::get<Made>(outcome).layout);
}

std::optional<ReaderText> readerText(const SymbolRequest& request) {
  Outcome outcome = make(request);
  if (auto* made = std::get_if<Made>(&outcome)) return std::move(made->reads);
  return std::nullopt;
}

}  // namespace app
