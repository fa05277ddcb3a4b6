// What the window draws for the EAN/UPC options, read by zxing-cpp.
#include "tests/support/scan.h"

#include <gtest/gtest.h>

#include "tests/support/window.h"

namespace {

using testsupport::Format;
using testsupport::Window;

struct ScanCase {
  const char* name;
  QRadioButton* app::Controls::*option;
  const char* typed;
  const char* read;  // the check digits are those printed on the products
};

const ScanCase kScans[] = {
    {"UPC-A 097363395843", &app::Controls::upcaOption, "09736339584", "097363395843"},
    {"UPC-A 036000291452", &app::Controls::upcaOption, "03600029145", "036000291452"},
    {"UPC-A 012345678905", &app::Controls::upcaOption, "01234567890", "012345678905"},
    {"UPC-A of zeros", &app::Controls::upcaOption, "00000000000", "000000000000"},
    {"EAN-13 5901234123457", &app::Controls::ean13Option, "590123412345", "5901234123457"},
    {"EAN-13 4006381333931", &app::Controls::ean13Option, "400638133393", "4006381333931"},
    {"EAN-13 of zeros", &app::Controls::ean13Option, "000000000000", "0000000000000"},
    {"EAN-13 starting 7", &app::Controls::ean13Option, "700000000000", "7000000000003"},
    {"JAN-13 4900000000009", &app::Controls::jan13Option, "490000000000", "4900000000009"},
    {"JAN-13 4512345678906", &app::Controls::jan13Option, "451234567890", "4512345678906"},
    {"ISBN 978-0-14-300723-4", &app::Controls::isbnOption, "978014300723", "9780143007234"},
    {"ISBN 978-0-306-40615-7", &app::Controls::isbnOption, "978030640615", "9780306406157"},
    {"ISBN 979-10", &app::Controls::isbnOption, "979100000000", "9791000000008"},
};

TEST(EanUpcScan, ZxingReadsEverySymbolTheWindowDraws) {
  for (const auto& c : kScans) {
    Window w;
    (w.ui().*c.option)->setChecked(true);
    w.type(QString::fromLatin1(c.typed));
    const bool upc = c.option == &app::Controls::upcaOption;
    const surface::PictureBox* picture = upc ? w.ui().upcPicture : w.ui().eanPicture;
    ASSERT_FALSE(picture->isHidden()) << c.name;
    EXPECT_EQ(testsupport::scan(picture->Image(), upc ? Format::UpcA : Format::Ean13),
              std::string(c.read))
        << c.name;
  }
}

}  // namespace
