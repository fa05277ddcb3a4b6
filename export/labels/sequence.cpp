#include "export/labels/sequence.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace labels {

namespace {

constexpr std::string_view kDots = "..";

std::optional<long long> wholeNumber(std::string_view text) {
  if (text.empty() || text.size() > 15 ||
      !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return std::nullopt;
  long long value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

// Where the next "{...}" holding ".." opens, from `from`; npos when none.
std::size_t findRange(std::string_view text, std::size_t from, std::size_t& close) {
  for (std::size_t open = text.find('{', from); open != std::string_view::npos;
       open = text.find('{', open + 1)) {
    close = text.find('}', open);
    if (close == std::string_view::npos) return std::string_view::npos;
    if (text.substr(open, close - open).find(kDots) != std::string_view::npos) return open;
  }
  return std::string_view::npos;
}

}  // namespace

long long Sequence::count() const {
  return (first <= last ? last - first : first - last) / step + 1;
}

std::string Sequence::at(long long index) const {
  const long long value = first <= last ? first + index * step : first - index * step;
  std::string digits = std::to_string(value);
  if (static_cast<int>(digits.size()) < width)
    digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
  return prefix + digits + suffix;
}

std::variant<Sequence, SequenceError> parseSequence(std::string_view text) {
  std::size_t close = 0;
  const std::size_t open = findRange(text, 0, close);
  if (open == std::string_view::npos) return SequenceError{SequenceError::NoRange, {}, 0};
  std::size_t secondClose = 0;
  if (findRange(text, close + 1, secondClose) != std::string_view::npos)
    return SequenceError{SequenceError::TwoRanges, {}, 0};

  const std::string_view inside = text.substr(open + 1, close - open - 1);
  const std::size_t dots = inside.find(kDots);
  const std::string_view firstText = inside.substr(0, dots);
  std::string_view lastText = inside.substr(dots + kDots.size());
  std::string_view stepText;
  if (const std::size_t more = lastText.find(kDots); more != std::string_view::npos) {
    stepText = lastText.substr(more + kDots.size());
    lastText = lastText.substr(0, more);
  }
  Sequence sequence;
  for (const auto& [word, into] :
       {std::pair{firstText, &sequence.first}, std::pair{lastText, &sequence.last},
        std::pair{stepText.empty() ? std::string_view("1") : stepText, &sequence.step}}) {
    const auto value = wholeNumber(word);
    if (!value) return SequenceError{SequenceError::NotANumber, std::string(word), 0};
    *into = *value;
  }
  if (sequence.step == 0) return SequenceError{SequenceError::ZeroStep, {}, 0};
  if (sequence.count() > kMaxSequence)
    return SequenceError{SequenceError::TooMany, {}, sequence.count()};
  const auto padded = [](std::string_view word) { return word.size() > 1 && word[0] == '0'; };
  if (padded(firstText) || padded(lastText))
    sequence.width = static_cast<int>(std::max(firstText.size(), lastText.size()));
  sequence.prefix = std::string(text.substr(0, open));
  sequence.suffix = std::string(text.substr(close + 1));
  return sequence;
}

}  // namespace labels
