#include "export/symbollayout.h"

#include <algorithm>

#include "export/choices.h"
#include "export/utf8.h"
#include "symbologies/eanupc/eanupc.h"
#include "symbologies/geometry.h"

namespace app {

namespace {

std::string at(std::size_t position) { return " at position " + std::to_string(position + 1); }

std::string character(char32_t c) { return utf8::encode(std::u32string_view(&c, 1)); }

// The font for the text, or why there is none; null when there is no text.
std::variant<std::shared_ptr<const render::Font>, std::string> fontFor(const SymbolRequest& request,
                                                                       const char* familyDefault) {
  if (request.settings.label == 0) return std::shared_ptr<const render::Font>();
  const std::string family = request.fontFamily.empty() ? familyDefault : request.fontFamily;
  auto font = render::Font::named(family);
  if (!font) return "No font can be opened for the label (" + family + ")";
  return font;
}

render::LayoutOptions optionsOf(const SymbolRequest& request,
                                std::shared_ptr<const render::Font> font) {
  return {.moduleMm = request.moduleMm, .barHeightMm = request.heightMm, .font = std::move(font)};
}

std::variant<render::Layout, std::string> layoutLinear(const SymbolRequest& request) {
  const std::u32string text = utf8::decode(request.data);
  if (text.empty()) return std::string("No data to encode");
  const linear::Encoding encoding = request.choice->encodeLinear(text, request.settings);
  if (const auto* rejected = std::get_if<linear::Rejected>(&encoding)) {
    // The window's words, with the character named even where the window does not.
    std::string message = utf8::encode(linear::message(*rejected));
    if (!rejected->named) message += ": " + character(rejected->character);
    return message + at(rejected->position);
  }
  if (const auto* tooLong = std::get_if<linear::TooLong>(&encoding))
    return utf8::encode(linear::message(*tooLong));
  auto font = fontFor(request, kLinearFont);
  if (const auto* problem = std::get_if<std::string>(&font)) return *problem;
  return render::layoutLinear(
      std::get<linear::Symbol>(encoding),
      optionsOf(request, std::get<std::shared_ptr<const render::Font>>(std::move(font))));
}

std::variant<render::Layout, std::string> layoutEanUpc(const SymbolRequest& request) {
  const Choice& choice = *request.choice;
  std::u32string digits = utf8::decode(request.data);
  const std::string prompt = choice.prompt;
  for (std::size_t i = 0; i < digits.size(); ++i)
    if (!eanupc::isAsciiDigit(digits[i])) return character(digits[i]) + " is Invalid" + at(i);
  const std::size_t length = choice.dataLength;
  const bool withCheck = request.acceptCheckDigit && digits.size() == length + 1;
  if (digits.size() != length && !withCheck)
    return prompt +
           (request.acceptCheckDigit
                ? " (or " + std::to_string(length + 1) + " with its check digit)"
                : std::string()) +
           ": " + std::to_string(digits.size()) + " given";
  if (matchPrefix(choice, digits) != PrefixMatch::Matches) return prompt;
  const char32_t given = withCheck ? digits.back() : 0;
  if (withCheck) digits.pop_back();

  const bool upc = choice.picture == PictureRole::Upc;
  const char32_t check = upc ? U'0' + static_cast<char32_t>(eanupc::upcCheckNumber(digits)) : 0;
  const eanupc::Encoding encoding =
      upc ? eanupc::encodeUpcA(digits + check) : eanupc::encodeEan13(digits);
  const auto* symbol = std::get_if<eanupc::Symbol>(&encoding);
  if (!symbol) return prompt;
  const char32_t expected = static_cast<char32_t>(symbol->number.back());
  if (withCheck && given != expected)
    return "Wrong check digit " + character(given) + at(length) + ": it should be " +
           character(expected);
  auto font = fontFor(request, geometry::kEanUpcPrint.fontFamily);
  if (const auto* problem = std::get_if<std::string>(&font)) return *problem;
  const render::LayoutOptions options =
      optionsOf(request, std::get<std::shared_ptr<const render::Font>>(std::move(font)));
  return upc ? render::layoutUpcA(*symbol, options) : render::layoutEan13(*symbol, options);
}

}  // namespace

std::variant<render::Layout, std::string> layoutSymbol(const SymbolRequest& request) {
  if (!request.choice) return std::string("No barcode type chosen");
  return request.choice->family == Family::Linear ? layoutLinear(request) : layoutEanUpc(request);
}

}  // namespace app
