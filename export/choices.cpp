#include "export/choices.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "export/helptexts.h"
#include "symbologies/linear/codabar.h"
#include "symbologies/linear/code128.h"
#include "symbologies/linear/code39.h"
#include "symbologies/linear/interleaved2of5.h"

namespace app {

namespace {

using enum BoxRule;

constexpr std::array<BoxRule, 3> kEanUpcBoxes = {Locked, Locked, Locked};

// clang-format off
constexpr Choice kChoices[] = {
    // Linear family: the four members of the option array, by index.
    {Symbology::Code39, "code39", "Code 39", "USS Code 39", "Option1", 0, {3360, 2040, 1575, 375}, Family::Linear, help::kCode39,
     {Optional, Optional, Optional}, &linear::encodeCode39, 0, {}, nullptr,
     PictureRole::Linear, PictureRole::Linear, "Code 39", "Code 39", Form::Linear},
    {Symbology::Interleaved2of5, "i2of5", "Interleaved 2 of 5", "Interleaved 2 of 5", "Option1", 1, {5040, 1680, 2175, 375}, Family::Linear,
     help::kInterleaved2of5, {Optional, Optional, Optional}, &linear::encodeInterleaved2of5, 0, {},
     nullptr, PictureRole::Linear, PictureRole::Linear, "Interleaved 2 of 5", "Interleaved 2 of 5",
     Form::Linear},
    {Symbology::Code128, "code128", "Code 128", "USS Code 128", "Option1", 2, {5040, 2400, 1575, 375}, Family::Linear, help::kCode128,
     {Optional, Optional, Locked}, &linear::encodeCode128, 0, {}, nullptr,
     PictureRole::Linear, PictureRole::Linear, "Code 128", "Code 128", Form::Code128},
    {Symbology::Codabar, "codabar", "Codabar", "Code 2 of 7", "Option1", 3, {5040, 2040, 1575, 375}, Family::Linear, help::kCodabar,
     {Optional, Optional, NotUsed}, &linear::encodeCodabar, 0, {}, nullptr,
     PictureRole::Linear, PictureRole::Linear, "Codabar", "Codabar", Form::Codabar},
    // EAN/UPC family: each its own option button.
    {Symbology::Ean13, "ean13", "EAN-13", "GTIN-13", "Option2", -1, {1200, 1320, 1215, 375}, Family::EanUpc, help::kEan13, kEanUpcBoxes,
     nullptr, 12, {}, "Enter 12 digit number for EAN-13",
     PictureRole::Ean, PictureRole::Ean, "EAN-13", "EAN-13", Form::Ean13},
    {Symbology::Jan13, "jan13", "JAN-13", "Japanese Article Number 13", "Option7", -1, {3360, 1320, 1215, 375}, Family::EanUpc, help::kJan13,
     kEanUpcBoxes, nullptr, 12, {"45", "49"},
     "Enter 12 digit number starting with '45' or '49' for JAN-13",
     PictureRole::Ean, PictureRole::Linear, "EAN-13", "JAN-13", Form::Ean13},
    {Symbology::Isbn, "isbn", "ISBN(Bookland EAN)", "International Standard Book Number", "Option8", -1,
     {5040, 1320, 2415, 375}, Family::EanUpc, help::kIsbn, kEanUpcBoxes, nullptr, 12, {"978", "979"},
     "Enter 12 digit number starting with '978' or '979' for ISBN",
     PictureRole::Ean, PictureRole::Linear, "EAN-13", "ISBN", Form::Isbn},
    {Symbology::UpcA, "upca", "UPC- A", "GTIN-12", "Option3", -1, {1200, 2040, 1095, 375}, Family::EanUpc, help::kUpcA, kEanUpcBoxes,
     nullptr, 11, {}, "Enter 11 digit number for UPC-A",
     PictureRole::Upc, PictureRole::Upc, "UPC-A", "UPC-A", Form::UpcA},
    // Without a button: the command line and the batch only.
    {Symbology::UpcE, "upce", "UPC-E", "GTIN-12 with zeros suppressed", nullptr, -1, {}, Family::EanUpc, help::kUpcE,
     kEanUpcBoxes, nullptr, 6, {}, "Enter 6 digit number for UPC-E",
     PictureRole::Upc, PictureRole::Upc, "UPC-E", "UPC-E", Form::UpcE},
    {Symbology::Ean8, "ean8", "EAN-8", "GTIN-8", nullptr, -1, {}, Family::EanUpc, help::kEan8,
     kEanUpcBoxes, nullptr, 7, {}, "Enter 7 digit number for EAN-8",
     PictureRole::Ean, PictureRole::Ean, "EAN-8", "EAN-8", Form::Ean8},
    {Symbology::Itf14, "itf14", "ITF-14", "GTIN-14 in Interleaved 2 of 5", nullptr, -1, {}, Family::Linear, help::kItf14,
     {Optional, Optional, Locked}, nullptr, 13, {}, "Enter 13 digit number for ITF-14",
     PictureRole::Linear, PictureRole::Linear, "ITF-14", "ITF-14", Form::Itf14},
    {Symbology::Gs1_128, "gs1-128", "GS1-128", "GS1 Application Identifiers in Code 128", nullptr, -1, {}, Family::Linear,
     help::kGs1_128, {Optional, Optional, Locked}, nullptr, 0, {}, nullptr,
     PictureRole::Linear, PictureRole::Linear, "GS1-128", "GS1-128", Form::Gs1_128},
};
// clang-format on

// Every row stands at its own id, so choiceOf and tables keyed by the id agree.
constexpr bool rowsInIdOrder() {
  for (std::size_t i = 0; i < std::size(kChoices); ++i)
    if (static_cast<std::size_t>(kChoices[i].id) != i) return false;
  return std::size(kChoices) == kSymbologyCount;
}
static_assert(rowsInIdOrder());

// The window's rows come first, each with its button; the others have none.
constexpr bool buttonsFirst() {
  for (std::size_t i = 0; i < std::size(kChoices); ++i)
    if (hasButton(kChoices[i]) != (i < kWindowOptionCount)) return false;
  return true;
}
static_assert(buttonsFirst());

}  // namespace

std::span<const Choice> choices() { return kChoices; }

bool takesAddOn(const Choice& choice) {
  switch (choice.form) {
    case Form::Ean13:
    case Form::Isbn:
    case Form::UpcA:
    case Form::UpcE:
    case Form::Ean8:
      return true;
    case Form::Linear:
    case Form::Code128:
    case Form::Codabar:
    case Form::Itf14:
    case Form::Gs1_128:
      break;
  }
  return false;
}

PrefixMatch matchPrefix(const Choice& choice, std::u32string_view digits) {
  bool any = false, incomplete = false;
  for (const std::string_view prefix : choice.prefixes) {
    if (prefix.empty()) continue;
    any = true;
    const std::size_t n = std::min(prefix.size(), digits.size());
    if (!std::equal(prefix.begin(), prefix.begin() + n, digits.begin(),
                    [](char p, char32_t d) { return static_cast<char32_t>(p) == d; }))
      continue;
    if (n == prefix.size()) return PrefixMatch::Matches;
    incomplete = true;
  }
  return !any ? PrefixMatch::Matches : incomplete ? PrefixMatch::Incomplete : PrefixMatch::Wrong;
}

const Choice* choiceByKey(std::string_view key) {
  const auto found = std::find_if(std::begin(kChoices), std::end(kChoices),
                                  [key](const Choice& c) { return c.key == key; });
  return found == std::end(kChoices) ? nullptr : found;
}

const Choice& choiceOf(Symbology id) { return kChoices[static_cast<std::size_t>(id)]; }

const Choice& linearChoice(int index) {
  const auto found = std::find_if(
      std::begin(kChoices), std::end(kChoices),
      [index](const Choice& c) { return c.family == Family::Linear && c.controlIndex == index; });
  if (found == std::end(kChoices)) {
    std::fprintf(stderr, "barcode-generator: no linear option %d\n", index);
    std::abort();
  }
  return *found;
}

}  // namespace app
