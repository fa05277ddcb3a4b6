#pragma once

// The eight options as the benchmark meets them: the window's own table of
// choices, and for each what the two peer libraries call the same symbol.
#include <ZXing/BarcodeFormat.h>

#include <QString>
#include <string>
#include <vector>

#include "app/barcodegenerator.h"
#include "app/platform.h"
#include "export/choices.h"

namespace surface {
class PictureBox;
}

namespace bench {

// How the drawing code lays the symbol out.
enum class Family { Linear, Ean13, UpcA };

struct Option {
  const app::Choice* choice;  // the window's row: key, button, encoder, picture
  Family family;
  int checkCharacter;   // the setting that gives the peers' symbol
  const char* data;     // 20 characters for a linear symbol; the EAN/UPC data without check digit
  const char* varying;  // the characters that vary the data's last six, one input to the next
  int zint;             // libzint's symbology
  ZXing::BarcodeFormat zxing;
  char32_t filler;  // repeated to make the widest symbol; 0 for EAN/UPC

  const char* key() const { return choice->key.data(); }
};

// One for each row of the choices table, in its order.
const std::vector<Option>& options();

// The picture the option draws into, in the window given.
surface::PictureBox* pictureOf(const app::Controls& ui, const Option& option);

// A different valid input for each n, as long as the option's data: its
// last six characters count n in the option's varying characters.
QString keystrokeText(const Option& option, unsigned n);

// What libzint is given for the same symbol as ours of this input.
std::string zintInput(const Option& option, const QString& input);

// Nothing in a benchmark asks the user anything.
class QuietPlatform : public app::Platform {
 public:
  void message(QWidget*, const QString&, const QString&) override {}
  bool confirm(QWidget*, const QString&, const QString&) override { return false; }
  QString currentDirectory() const override { return {}; }
  bool openUrl(const QUrl&) override { return false; }
};

}  // namespace bench
