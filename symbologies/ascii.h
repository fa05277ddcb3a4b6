#pragma once

// Character tests shared by every symbology. They compare code points, never
// the locale: a full-width "１" is not a digit here, and upper-casing turns
// only "a" to "z" into "A" to "Z" (a general upper-case would make "ß" "SS"
// or the dotless "ı" a valid "I").
namespace symbologies {

constexpr bool isAsciiDigit(char32_t c) { return c >= U'0' && c <= U'9'; }
constexpr char32_t asciiUpper(char32_t c) { return c >= U'a' && c <= U'z' ? c - 32 : c; }

}  // namespace symbologies
