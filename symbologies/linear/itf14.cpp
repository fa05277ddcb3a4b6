#include "symbologies/linear/itf14.h"

#include <string>

#include "symbologies/linear/interleaved2of5.h"

namespace linear {

Itf14Encoding encodeItf14(std::u32string_view number, const Settings& settings) {
  for (std::size_t i = 0; i < number.size(); ++i)
    if (!isAsciiDigit(number[i])) return Rejected{number[i], i};
  if (number.size() != 13 && number.size() != 14) return WrongLength{number.size(), 13};
  const std::u32string_view data = number.substr(0, 13);
  const std::string digits(data.begin(), data.end());
  const char32_t check = U'0' + static_cast<char32_t>(symbologies::gs1CheckDigit(digits));
  if (number.size() == 14 && number[13] != check) return WrongCheckDigit{13, number[13], check};

  // Thirteen digits and the check digit are an even count: no padding, and
  // the modulo-10 check character of Interleaved 2 of 5 weighs the digits as
  // GS1 does (3 on the first and last of the thirteen).
  Settings withCheck = settings;
  withCheck.checkCharacter = 1;
  Encoding encoding = encodeInterleaved2of5(data, withCheck);
  if (auto* symbol = std::get_if<Symbol>(&encoding)) return std::move(*symbol);
  if (auto* rejected = std::get_if<Rejected>(&encoding)) return *rejected;
  return WrongLength{number.size(), 13};  // fourteen digits always fit
}

}  // namespace linear
