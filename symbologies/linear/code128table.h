#pragma once

// The Code 128 symbol characters and the values with a meaning of their own,
// for every encoder of the family (code set B only, all three code sets,
// GS1-128). Standard library only.

#include <array>
#include <cstddef>
#include <string_view>

namespace linear::code128 {

// Code 128 symbol characters (ISO/IEC 15417, symbol character table), in value
// order: widths in modules of bar, space, bar, space, bar, space; the stop adds
// a final bar. Values 0 to 63 are " " to "_" in code sets A and B; from 64
// set A has the control characters NUL to US, set B "`" to DEL; set C has the
// digit pairs 00 to 99. The comments name set B.
// clang-format off
inline constexpr std::array<std::string_view, 107> kPatterns = {
    "212222", "222122", "222221", "121223", "121322",  // 0: space ! " # $
    "131222", "122213", "122312", "132212", "221213",  // % & ' ( )
    "221312", "231212", "112232", "122132", "122231",  // 10: * + , - .
    "113222", "123122", "123221", "223211", "221132",  // / 0 1 2 3
    "221231", "213212", "223112", "312131", "311222",  // 20: 4 5 6 7 8
    "321122", "321221", "312212", "322112", "322211",  // 9 : ; < =
    "212123", "212321", "232121", "111323", "131123",  // 30: > ? @ A B
    "131321", "112313", "132113", "132311", "211313",  // C D E F G
    "231113", "231311", "112133", "112331", "132131",  // 40: H I J K L
    "113123", "113321", "133121", "313121", "211331",  // M N O P Q
    "231131", "213113", "213311", "213131", "311123",  // 50: R S T U V
    "311321", "331121", "312113", "312311", "332111",  // W X Y Z [
    "314111", "221411", "431111", "111224", "111422",  // 60: \ ] ^ _ `
    "121124", "121421", "141122", "141221", "112214",  // a b c d e
    "112412", "122114", "122411", "142112", "142211",  // 70: f g h i j
    "241211", "221114", "413111", "241112", "134111",  // k l m n o
    "111242", "121142", "121241", "114212", "124112",  // 80: p q r s t
    "124211", "411212", "421112", "421211", "212141",  // u v w x y
    "214121", "412121", "111143", "111341", "131141",  // 90: z { | } ~
    "114113", "114311", "411113", "411311", "113141",  // DEL FNC3 FNC2 Shift CodeC
    "114131", "311141", "411131", "211412", "211214",  // 100: FNC4 CodeA FNC1 StartA StartB
    "211232", "2331112",                               // Start C, Stop
};
// clang-format on

inline constexpr int kShift = 98;
inline constexpr int kCodeC = 99;
inline constexpr int kCodeB = 100;  // in code sets A and C
inline constexpr int kCodeA = 101;  // in code sets B and C
inline constexpr int kFnc1 = 102;
inline constexpr int kStartA = 103, kStartB = 104, kStartC = 105;
inline constexpr int kStop = 106;
inline constexpr int kModulus = 103;
inline constexpr int kCharacterModules = 11, kStopModules = 13;

// Every symbol character is 11 modules wide with an even number of bar
// modules, and no two are alike; the stop is 13 modules, seven elements.
constexpr bool patternsAreWellFormed() {
  for (std::size_t value = 0; value < kStop; ++value) {
    const std::string_view pattern = kPatterns[value];
    int modules = 0, barModules = 0;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
      modules += pattern[i] - '0';
      if (i % 2 == 0) barModules += pattern[i] - '0';
    }
    if (pattern.size() != 6 || modules != kCharacterModules || barModules % 2 != 0) return false;
    for (std::size_t other = 0; other < value; ++other)
      if (kPatterns[other] == pattern) return false;
  }
  int stopModules = 0;
  for (const char width : kPatterns[kStop]) stopModules += width - '0';
  return kPatterns[kStop].size() == 7 && stopModules == kStopModules;
}
static_assert(patternsAreWellFormed());

}  // namespace linear::code128
