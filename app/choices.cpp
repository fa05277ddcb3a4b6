#include "app/choices.h"

#include <algorithm>

#include "app/helptexts.h"
#include "symbologies/linear/codabar.h"
#include "symbologies/linear/code128.h"
#include "symbologies/linear/code39.h"
#include "symbologies/linear/interleaved2of5.h"

namespace app {

namespace {

using enum BoxRule;

constexpr std::array<BoxRule, 3> kEanUpcBoxes = {Locked, Locked, Locked};

// clang-format off
const Choice kChoices[] = {
    // Linear family: the four members of the option array, by index.
    {"code39", "Code 39", "USS Code 39", "Option1", 0, Family::Linear, help::kCode39,
     {Optional, Optional, Optional}, &linear::encodeCode39, 0, {}, nullptr,
     PictureRole::Linear, PictureRole::Linear},
    {"i2of5", "Interleaved 2 of 5", "Interleaved 2 of 5", "Option1", 1, Family::Linear,
     help::kInterleaved2of5, {Optional, Optional, Optional}, &linear::encodeInterleaved2of5, 0, {},
     nullptr, PictureRole::Linear, PictureRole::Linear},
    {"code128", "Code 128", "USS Code 128", "Option1", 2, Family::Linear, help::kCode128,
     {Optional, Optional, Locked}, &linear::encodeCode128, 0, {}, nullptr,
     PictureRole::Linear, PictureRole::Linear},
    {"codabar", "Codabar", "Code 2 of 7", "Option1", 3, Family::Linear, help::kCodabar,
     {Optional, Optional, NotUsed}, &linear::encodeCodabar, 0, {}, nullptr,
     PictureRole::Linear, PictureRole::Linear},
    // EAN/UPC family: each its own option button.
    {"ean13", "EAN-13", "GTIN-13", "Option2", -1, Family::EanUpc, help::kEan13, kEanUpcBoxes,
     nullptr, 12, {}, "Enter 12 digit number for EAN-13",
     PictureRole::Ean, PictureRole::Ean},
    {"jan13", "JAN-13", "Japanese Article Number 13", "Option7", -1, Family::EanUpc, help::kJan13,
     kEanUpcBoxes, nullptr, 12, {"45", "49"},
     "Enter 12 digit number starting with '45' or '49' for JAN-13",
     PictureRole::Ean, PictureRole::Linear},
    {"isbn", "ISBN(Bookland EAN)", "International Standard Book Number", "Option8", -1,
     Family::EanUpc, help::kIsbn, kEanUpcBoxes, nullptr, 12, {"978", "979"},
     "Enter 12 digit number starting with '978' or '979' for ISBN",
     PictureRole::Ean, PictureRole::Linear},
    {"upca", "UPC- A", "GTIN-12", "Option3", -1, Family::EanUpc, help::kUpcA, kEanUpcBoxes,
     nullptr, 11, {}, "Enter 11 digit number for UPC-A",
     PictureRole::Upc, PictureRole::Upc},
};
// clang-format on

}  // namespace

std::span<const Choice> choices() { return kChoices; }

const Choice* choiceByKey(std::string_view key) {
  const auto found = std::find_if(std::begin(kChoices), std::end(kChoices),
                                  [key](const Choice& c) { return c.key == key; });
  return found == std::end(kChoices) ? nullptr : found;
}

const Choice& linearChoice(int index) {
  const auto found = std::find_if(
      std::begin(kChoices), std::end(kChoices),
      [index](const Choice& c) { return c.family == Family::Linear && c.controlIndex == index; });
  return found == std::end(kChoices) ? kChoices[0] : *found;
}

}  // namespace app
