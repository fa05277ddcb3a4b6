#pragma once

// The eight options as the benchmark meets them: how to choose each in the
// window, what to draw, and what the two peer libraries call the same symbol.
// A local list until the window's own table of choices arrives.
#include <ZXing/BarcodeFormat.h>

#include <QRadioButton>
#include <QString>
#include <string>

#include "app/barcodegenerator.h"
#include "symbologies/linear/draw.h"

namespace bench {

enum class Family { Linear, Ean13, UpcA };

struct Option {
  const char* key;  // lower case, no spaces: the name in the summary
  const char* name;
  Family family;
  int linearIndex;                       // Option1 member, or -1
  QRadioButton* app::Controls::*button;  // the EAN/UPC option button, or null
  linear::Encoder encode;                // linear only
  int checkCharacter;                    // the setting that gives the peers' symbol
  const char* data;     // 20 characters for a linear symbol; the EAN/UPC data without check digit
  const char* varying;  // the characters that vary the data's last six, one input to the next
  int zint;             // libzint's symbology
  ZXing::BarcodeFormat zxing;
  char32_t filler;  // repeated to make the widest symbol; 0 for EAN/UPC
};

const std::vector<Option>& options();

// The picture the option draws into, in the window given.
surface::PictureBox* pictureOf(const app::Controls& ui, const Option& option);

// A different valid input for each n, as long as the option's data: its
// last six characters count n in the option's varying characters.
QString keystrokeText(const Option& option, unsigned n);

// What libzint is given for the same symbol as ours of this input.
std::string zintInput(const Option& option, const QString& input);

}  // namespace bench
