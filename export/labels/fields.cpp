#include "export/labels/fields.h"

#include <algorithm>
#include <charconv>

namespace labels {

std::string expandFields(std::string_view text, const FieldValues& values) {
  std::string out;
  out.reserve(text.size() + values.data.size());
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t open = text.find('{', at);
    const std::size_t close = open == std::string_view::npos ? open : text.find('}', open + 1);
    if (close == std::string_view::npos) break;
    out.append(text.substr(at, open - at));
    const std::string_view name = text.substr(open + 1, close - open - 1);
    std::size_t column = 0;
    const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), column);
    if (name == "data") {
      out.append(values.data);
    } else if (name == "line") {
      out.append(std::to_string(values.line));
    } else if (name == "n") {
      out.append(std::to_string(values.number));
    } else if (!name.empty() && error == std::errc() && end == name.data() + name.size() &&
               column >= 1 &&
               std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; })) {
      if (column <= values.columns.size()) out.append(values.columns[column - 1]);
    } else {
      // Not a field: keep the brace and look for one after it.
      out.push_back('{');
      at = open + 1;
      continue;
    }
    at = close + 1;
  }
  out.append(text.substr(std::min(at, text.size())));
  return out;
}

}  // namespace labels
