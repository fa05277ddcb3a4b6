#pragma once

#include <optional>
#include <string>
#include <utility>
#include <variant>

#include "render/layout.h"
#include "render/variantlayout.h"
#include "symbologies/linear/code128sets.h"
#include "symbologies/linear/linear.h"

namespace app {

struct Choice;

// What to lay out: an option of the choices table, its data and settings,
// and the X the bars' height follows.
struct SymbolRequest {
  const Choice* choice = nullptr;
  std::string data{};  // UTF-8
  linear::Settings settings{};
  std::string fontFamily{};  // empty: the family's own (Tahoma; OCR B for EAN/UPC digits)
  // EAN/UPC: also take the data with its check digit, when that digit is right.
  bool acceptCheckDigit = false;
  double moduleMm = 0.33;
  std::optional<double> heightMm{};  // of the bars; none: the standard's
  // What the command line, the batch and the Export dialog may ask beyond
  // the window's picture; left as they are, the symbol is the window's.
  // EAN/UPC: an add-on of two or five digits. "+DIGITS" after the data is
  // one too; an ISBN may be typed as ISBN-10 or with hyphens.
  std::string addOn{};
  // Code 128: the code sets; none: code set B, as the window draws it.
  std::optional<linear::CodeSet> codeSet{};
  // Codabar: the start and stop letters; none: A ... A as the window draws
  // it, or the data's own first and last letter when endsInData.
  std::optional<std::pair<char32_t, char32_t>> codabarEnds{};
  bool codabarEndsInData = false;
  render::Bearers bearers = render::Bearers::Frame;  // ITF-14
};

// The family's font when none is named.
inline constexpr const char* kLinearFont = "Tahoma";

// The layout of the data as the option draws it, or why it is refused, in one
// line that names the character and its position (counted from 1). The font
// is opened only when there is text to draw.
std::variant<render::Layout, std::string> layoutSymbol(const SymbolRequest& request);

// What a reader reports of the request's symbol, as zxing-cpp gives it.
struct ReaderText {
  std::string text{};                 // digits of EAN/UPC, with " " and the add-on after one
  std::string symbologyIdentifier{};  // "]C1" for GS1-128, whose text has GS after fields of
                                      // no predefined length; empty: not looked at
  bool addOn = false;
};

// Nothing when the request makes no symbol.
std::optional<ReaderText> readerText(const SymbolRequest& request);

}  // namespace app
