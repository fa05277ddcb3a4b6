#include "symbologies/linear/codabarends.h"

#include <string>

#include "symbologies/linear/codabar.h"

namespace linear {

namespace {

constexpr bool isEndLetter(char32_t c) { return asciiUpper(c) >= U'A' && asciiUpper(c) <= U'D'; }

// encodeCodabar frames its text in A ... A and takes "a" to "d" inside as the
// characters A to D: the chosen ends go in as such, and the outer A and the
// narrow space after (or before) it come off again. Its table stays its own.
constexpr std::size_t kOuterElements = 8;

int widthOf(std::string_view elements, std::size_t first, const Settings& settings) {
  int width = 0;
  for (std::size_t i = first; i < first + kOuterElements; ++i)
    width += elementWidth(elements[i], i % 2 == 0, ElementKind::NarrowWide, settings.printSpacing);
  return width;
}

}  // namespace

Encoding encodeCodabarBetween(std::u32string_view data, const Settings& settings, char32_t start,
                              char32_t stop) {
  if (!isEndLetter(start)) return Rejected{start, 0};
  for (std::size_t i = 0; i < data.size(); ++i)
    if (isEndLetter(data[i])) return Rejected{data[i], i};

  std::u32string framed;
  framed.reserve(data.size() + 2);
  framed.push_back(asciiUpper(start) + (U'a' - U'A'));
  framed += data;
  // A stop that is no letter is refused after the data, which comes first.
  framed.push_back(isEndLetter(stop) ? asciiUpper(stop) + (U'a' - U'A') : U'a');
  Encoding encoding = encodeCodabar(framed, settings);
  if (auto* rejected = std::get_if<Rejected>(&encoding)) {
    --rejected->position;  // the start went in first
    return *rejected;
  }
  if (!isEndLetter(stop)) return Rejected{stop, data.size()};
  // Within two characters of the widest picture this refuses what would
  // just fit; sharing the Codabar table would make it exact.
  if (!std::holds_alternative<Symbol>(encoding)) return encoding;

  Symbol& symbol = std::get<Symbol>(encoding);
  const std::string& elements = symbol.elements;
  const std::size_t last = elements.size() - kOuterElements;
  symbol.endX -= widthOf(elements, 0, settings) + widthOf(elements, last, settings);
  symbol.elements = elements.substr(kOuterElements, last - kOuterElements);
  symbol.label = std::u32string(data);
  symbol.labelX = shortLabelX(data.size(), settings);
  return encoding;
}

Encoding encodeCodabarFramed(std::u32string_view text, const Settings& settings) {
  const bool startGiven = !text.empty() && isEndLetter(text.front());
  const bool stopGiven = text.size() > 1 && isEndLetter(text.back());
  if (!startGiven && !stopGiven) return encodeCodabarBetween(text, settings, U'A', U'A');
  if (!startGiven) return Rejected{text.front(), 0};
  if (!stopGiven) return Rejected{text.back(), text.size() - 1};
  Encoding encoding =
      encodeCodabarBetween(text.substr(1, text.size() - 2), settings, text.front(), text.back());
  if (auto* rejected = std::get_if<Rejected>(&encoding)) ++rejected->position;
  return encoding;
}

}  // namespace linear
