#pragma once

// The eight symbologies the window offers, one row each. The router, the
// option handlers, the output commands, the command line, the tests and the
// benchmark all read this table; adding a symbology means a row here, its
// encoder and its tests.

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "symbologies/linear/linear.h"

namespace app {

enum class Family { Linear, EanUpc };

// What choosing a symbology does to one of the three settings boxes.
enum class BoxRule {
  Optional,  // enabled; the user decides
  Locked,    // ticked and disabled: the symbology always has it
  NotUsed,   // unticked and disabled
};

// The three picture boxes under the input.
enum class PictureRole { Linear, Upc, Ean };

struct Choice {
  std::string_view key;  // command-line and benchmark name, lower case
  const char* caption;   // the option button's caption
  const char* tooltip;
  const char* controlName;  // the option button's layout name (its object name)
  int controlIndex;         // its index in the control array, or -1
  Family family;
  const char* help;  // what the help box says about it
  // Print spacing, label, check character, by SettingBox index.
  std::array<BoxRule, 3> boxes;
  linear::Encoder encodeLinear;  // the linear family's encoder; null for EAN/UPC
  // EAN/UPC family: the digits typed (without the check digit), the prefixes
  // one of which must start them (empty: any), and the prompt shown until
  // they are complete.
  std::size_t dataLength;
  std::array<std::string_view, 2> prefixes;
  const char* prompt;
  PictureRole picture;  // where its symbol is drawn
  // The picture "Clear Input" leaves on show. JAN-13 and ISBN show the linear
  // picture after a clear, not their own, as the window always has: only
  // EAN-13 and UPC-A are named there.
  PictureRole pictureAfterClear;
};

std::span<const Choice> choices();

// The row of a key ("code128"), or null.
const Choice* choiceByKey(std::string_view key);

// The row of a linear option index (the control array's index).
const Choice& linearChoice(int index);

}  // namespace app
