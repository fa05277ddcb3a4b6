#pragma once

// The fields of a label's text lines. Standard library only.

#include <span>
#include <string>
#include <string_view>

namespace labels {

struct FieldValues {
  std::string_view data;                 // {data}: what the symbol carries
  long long line = 0;                    // {line}: the record's line of the list, or its number
  long long number = 0;                  // {n}: the label's number in the run, from 1
  std::span<const std::string> columns;  // {1}, {2}, ...: the record's CSV fields
};

// The text with {data}, {line}, {n} and {1}, {2}, ... filled in; a column
// the record lacks is empty, and anything else in braces stays as typed.
std::string expandFields(std::string_view text, const FieldValues& values);

}  // namespace labels
