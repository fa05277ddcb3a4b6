#pragma once

// The symbologies, one row each: the eight the window offers, then those only
// the command line and the batch make. The router, the option handlers, the
// output commands, the command line, the tests and the benchmark all read
// this table; adding a symbology means a row here, its encoder, its layout
// and its tests.

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "symbologies/linear/linear.h"

namespace app {

enum class Family { Linear, EanUpc };

// The rows of the table, in its order: a table keyed by this has a fact for
// every row (std::array<T, kSymbologyCount>).
enum class Symbology {
  Code39,
  Interleaved2of5,
  Code128,
  Codabar,
  Ean13,
  Jan13,
  Isbn,
  UpcA,
  UpcE,
  Ean8,
  Itf14,
  Gs1_128,
};
inline constexpr std::size_t kSymbologyCount = 12;
// The rows with an option button on the window: the first eight.
inline constexpr std::size_t kWindowOptionCount = 8;

// How an export reads its data and encodes it. The window draws its eight
// with their own encoders (Code 128 in code set B, Codabar in A ... A).
enum class Form {
  Linear,   // encodeLinear, as the window
  Code128,  // code sets A, B, C, or the shortest
  Codabar,  // start and stop A to D, given apart or at both ends of the data
  Itf14,    // thirteen digits, or fourteen with the check digit; bearer bars
  Gs1_128,  // AIs in parentheses
  Ean13,    // twelve digits (or thirteen with the check digit), the prefixes checked
  Isbn,     // that, or an ISBN-10 or ISBN-13 with hyphens or spaces
  UpcA,
  UpcE,
  Ean8,
};

// Where a control stands on the window, in twips.
struct Place {
  int left, top, width, height;
};

// What choosing a symbology does to one of the three settings boxes.
enum class BoxRule {
  Optional,  // enabled; the user decides
  Locked,    // ticked and disabled: the symbology always has it
  NotUsed,   // unticked and disabled
};

// The indices of the three settings boxes, in their window order.
enum SettingBox { kPrintSpacing = 0, kAddLabel = 1, kAddCheckCharacter = 2 };

// The three picture boxes under the input.
enum class PictureRole { Linear, Upc, Ean };

struct Choice {
  Symbology id;
  std::string_view key;  // command-line and benchmark name, lower case
  const char* caption;   // the option button's caption
  const char* tooltip;
  const char* controlName;  // the option button's layout name (its object name)
  int controlIndex;         // its index in the control array, or -1
  Place place;              // the option button's place
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
  const char* readerName;  // what a reader calls the symbology ("EAN-13" for JAN-13 and ISBN)
  const char* shortName;   // the option in guidance ("ISBN", "UPC-A")
  Form form;
};

// Whether the row has an option button: the window's eight do, the others
// (controlName null) are made from the command line and the batch only.
constexpr bool hasButton(const Choice& choice) { return choice.controlName != nullptr; }

// Whether an EAN-2 or EAN-5 add-on may follow the row's symbol.
bool takesAddOn(const Choice& choice);

std::span<const Choice> choices();

// How typed digits stand to an EAN/UPC option's prefixes.
enum class PrefixMatch {
  Matches,     // they start with one of them, or the option has none
  Incomplete,  // too short yet, but they begin one
  Wrong,       // no prefix can follow from them
};
PrefixMatch matchPrefix(const Choice& choice, std::u32string_view digits);

// The row of a key ("code128"), or null: keys come from users.
const Choice* choiceByKey(std::string_view key);

const Choice& choiceOf(Symbology id);

// The row of a linear option index (the control array's index); an index
// without a row is a programming error and stops the program.
const Choice& linearChoice(int index);

}  // namespace app
