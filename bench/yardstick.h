#pragma once

#include <map>
#include <string>

namespace bench {

// Our encode-and-draw next to zxing-cpp's writer, same data, same image size.
void registerYardsticks();
// Prints ours / theirs for each pair measured, and the targets met or missed.
void printRatios(const std::map<std::string, double>& microseconds);

}  // namespace bench
