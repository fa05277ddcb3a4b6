#pragma once

// Label sheets and label-printer rolls: where each label of a page stands.
// Standard library only; everything in millimetres.

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace labels {

struct Sheet {
  double pageWidth = 0, pageHeight = 0;
  int columns = 1, rows = 1;
  double labelWidth = 0, labelHeight = 0;
  double pitchX = 0, pitchY = 0;  // from a label's left (top) edge to the next one's
  double left = 0, top = 0;       // the first label's top-left corner on the page
  bool roll = false;              // a label printer's: one label a page of its size

  constexpr int perPage() const { return columns * rows; }
  // The far edges of the last column and row.
  constexpr double right() const { return left + (columns - 1) * pitchX + labelWidth; }
  constexpr double bottom() const { return top + (rows - 1) * pitchY + labelHeight; }
};

constexpr double inches(double value) { return value * 25.4; }

// A sheet or roll of the table: named by page, layout and label size.
struct Template {
  std::string_view name;   // "a4-3x7-63.5x38.1"
  std::string_view codes;  // product codes sold to this layout, ", " between them
  std::string_view use;    // what it is usually sold as
  Sheet sheet;
};

inline constexpr double kA4Width = 210, kA4Height = 297;
inline constexpr double kLetterWidth = inches(8.5), kLetterHeight = inches(11);

constexpr Sheet onA4(int columns, int rows, double width, double height, double pitchX,
                     double pitchY, double left, double top) {
  return {kA4Width, kA4Height, columns, rows, width, height, pitchX, pitchY, left, top, false};
}
// US sheets are published in inches.
constexpr Sheet onLetter(int columns, int rows, double width, double height, double pitchX,
                         double pitchY, double left, double top) {
  return {kLetterWidth,   kLetterHeight,  columns,      rows,        inches(width), inches(height),
          inches(pitchX), inches(pitchY), inches(left), inches(top), false};
}
constexpr Sheet onRoll(double width, double height) {
  return {width, height, 1, 1, width, height, width, height, 0, 0, true};
}

// The sheets' published dimensions: the makers' product sheets for the
// codes named (label size, pitch, top and side margins), the US ones in
// inches. Where a maker's sheet and gLabels' template file differ, the
// maker's figures, which put the grid in the middle of the page, are used.
// Rolls: the label sizes printed on the rolls' boxes.
inline constexpr std::array kTemplates = {
    Template{"a4-3x7-63.5x38.1", "L7160, J8160", "Avery address labels, 21 a sheet",
             onA4(3, 7, 63.5, 38.1, 66.0, 38.1, 7.25, 15.15)},
    Template{"a4-3x8-63.5x33.9", "L7159, J8159", "Avery address labels, 24 a sheet",
             onA4(3, 8, 63.5, 33.9, 66.0, 33.9, 7.25, 12.9)},
    Template{"a4-3x6-63.5x46.6", "L7161, J8161", "Avery address labels, 18 a sheet",
             onA4(3, 6, 63.5, 46.6, 66.0, 46.6, 7.25, 8.7)},
    Template{"a4-2x7-99.1x38.1", "L7163, J8163", "Avery address labels, 14 a sheet",
             onA4(2, 7, 99.1, 38.1, 101.6, 38.1, 4.65, 15.15)},
    Template{"a4-2x8-99.1x33.9", "L7162, J8162", "Avery address labels, 16 a sheet",
             onA4(2, 8, 99.1, 33.9, 101.6, 33.9, 4.65, 12.9)},
    Template{"a4-2x4-99.1x67.7", "L7165, J8165", "Avery parcel labels, 8 a sheet",
             onA4(2, 4, 99.1, 67.7, 101.6, 67.7, 4.65, 13.1)},
    Template{"a4-4x10-45.7x25.4", "L7654, L4770", "Avery mini labels, 40 a sheet",
             onA4(4, 10, 45.7, 25.4, 48.3, 25.4, 9.7, 21.5)},
    Template{"a4-5x13-38.1x21.2", "L7651, J8651", "Avery mini labels, 65 a sheet",
             onA4(5, 13, 38.1, 21.2, 40.6, 21.2, 4.75, 10.7)},
    Template{"a4-3x8-70x37", "3474", "Zweckform copier labels, 24 a sheet, no side margins",
             onA4(3, 8, 70, 37, 70, 37, 0, 0.5)},
    Template{"a4-2x5-90x52", "L7414", "Avery business cards, 10 a sheet",
             onA4(2, 5, 90, 52, 90, 52, 15, 18.5)},
    Template{"a4-1x1-199.6x289.1", "L7167, J8167", "Avery full-page label",
             onA4(1, 1, 199.6, 289.1, 199.6, 289.1, 5.2, 3.95)},
    Template{"letter-3x10-2.625x1in", "5160, 8160", "Avery address labels, 30 a sheet",
             onLetter(3, 10, 2.625, 1, 2.75, 1, 0.1875, 0.5)},
    Template{"letter-2x10-4x1in", "5161, 8161", "Avery address labels, 20 a sheet",
             onLetter(2, 10, 4, 1, 4.1875, 1, 0.15625, 0.5)},
    Template{"letter-2x5-4x2in", "5163, 8163", "Avery shipping labels, 10 a sheet",
             onLetter(2, 5, 4, 2, 4.1875, 2, 0.15625, 0.5)},
    Template{"letter-2x3-4x3.33in", "5164, 8164", "Avery shipping labels, 6 a sheet",
             onLetter(2, 3, 4, 10.0 / 3, 4.1875, 10.0 / 3, 0.15625, 0.5)},
    Template{"letter-4x20-1.75x0.5in", "5167, 8167", "Avery return-address labels, 80 a sheet",
             onLetter(4, 20, 1.75, 0.5, 2.0625, 0.5, 0.28125, 0.5)},
    Template{"letter-2x5-3.5x2in", "5371, 8371", "Avery business cards, 10 a sheet",
             onLetter(2, 5, 3.5, 2, 3.5, 2, 0.75, 0.5)},
    Template{"letter-1x1-8.5x11in", "5165, 8165", "Avery full-sheet label",
             onLetter(1, 1, 8.5, 11, 8.5, 11, 0, 0)},
    Template{"roll-62x29", "DK-11209", "Brother small address labels", onRoll(62, 29)},
    Template{"roll-62x100", "DK-11202", "Brother shipping labels", onRoll(62, 100)},
    Template{"roll-57x32", "11354", "Dymo multi-purpose labels", onRoll(57, 32)},
    Template{"roll-54x25", "11352", "Dymo return-address labels", onRoll(54, 25)},
    Template{"roll-89x36", "99012", "Dymo large address labels", onRoll(89, 36)},
    Template{"roll-50x25", "", "direct-thermal labels", onRoll(50, 25)},
    Template{"roll-102x152", "", "shipping labels", onRoll(102, 152)},
    Template{"roll-4x6in", "", "shipping labels", onRoll(inches(4), inches(6))},
};

// Every row's grid lies on its page, and its labels do not overlap.
constexpr bool fitsItsPage(const Sheet& sheet) {
  constexpr double kSlack = 1e-6;
  return sheet.columns >= 1 && sheet.rows >= 1 && sheet.labelWidth > 0 && sheet.labelHeight > 0 &&
         sheet.left >= 0 && sheet.top >= 0 &&
         (sheet.columns == 1 || sheet.pitchX >= sheet.labelWidth) &&
         (sheet.rows == 1 || sheet.pitchY >= sheet.labelHeight) &&
         sheet.right() <= sheet.pageWidth + kSlack && sheet.bottom() <= sheet.pageHeight + kSlack;
}
constexpr bool allFit() {
  for (const Template& row : kTemplates)
    if (!fitsItsPage(row.sheet)) return false;
  return true;
}
static_assert(allFit());

// Where a label of a run goes: the run's labels fill the sheets across,
// then down, from position `start` (1 = top left) of the first sheet.
struct Slot {
  long long page = 0;  // from 0
  int row = 0, column = 0;
};
constexpr Slot slotOf(const Sheet& sheet, long long index, int start) {
  const long long position = index + (start - 1);
  const int inPage = static_cast<int>(position % sheet.perPage());
  return {position / sheet.perPage(), inPage / sheet.columns, inPage % sheet.columns};
}

// A label's place on its page, in mm from the top-left corner.
struct Box {
  double x = 0, y = 0, width = 0, height = 0;
};
constexpr Box labelBox(const Sheet& sheet, int row, int column) {
  return {sheet.left + column * sheet.pitchX, sheet.top + row * sheet.pitchY, sheet.labelWidth,
          sheet.labelHeight};
}

// A row by its name or one of its codes, in any case; null when none.
const Template* findTemplate(std::string_view name);

// What is wrong with a sheet typed out in words.
struct SheetError {
  enum Kind {
    Empty,          // nothing given
    UnknownPage,    // word: not a paper size
    BadNumbers,     // word: not "WxH", "CxR" or "L,T" with positive numbers
    UnknownWord,    // word
    Missing,        // word: what is missing ("the grid", "the label size")
    PitchTooSmall,  // the pitch is smaller than the label
    TooWide,        // need, have: the grid's right edge and the page's width
    TooTall,        // need, have
  } kind = Empty;
  std::string word;
  double need = 0, have = 0;
};

// "A4 3x7 63.5x38.1 pitch 66x38.1 margins 7.25,15.15": the page (A4, A5,
// A6, Letter, Legal, or WxH), columns x rows, the label, and optionally the
// pitch (default: the label, no gaps) and the first label's left and top
// margins (default: the grid in the middle of the page). "roll 62x29" is a
// label printer's roll. Sizes are in mm, or in inches with "in" after them.
std::variant<Sheet, SheetError> parseSheet(std::string_view text);

}  // namespace labels
