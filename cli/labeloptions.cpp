#include "cli/labeloptions.h"

namespace cli {

namespace {

constexpr LabelOption kLabelOptions[] = {
    {"labels", "TEMPLATE"}, {"sheet", "SHEET"},     {"sequence", "PATTERN"}, {"copies", "N"},
    {"start", "N"},         {"offset", "X,Y"},      {"text-above", "LINE"},  {"text-below", "LINE"},
    {"text-size", "PT"},    {"label-margin", "MM"}, {"column", "N"},         {"templates", nullptr},
};

}  // namespace

std::span<const LabelOption> labelOptions() { return kLabelOptions; }

std::string labelsUsage() {
  return "Labels (a multi-page PDF of label sheets, or one label a page for a label printer):\n"
         "  barcode-generator --labels TEMPLATE | --sheet SHEET --output FILE.pdf\n"
         "                    [--type TYPE] --data TEXT | --sequence PATTERN | --batch LIST\n"
         "                    [label options] [size and settings as above] [--verify]\n"
         "  --labels TEMPLATE  a sheet or roll of the table by name or product code\n"
         "                     (a4-3x7-63.5x38.1, L7160, letter-3x10-2.625x1in, roll-62x29, ...)\n"
         "  --templates        print the table of templates\n"
         "  --sheet SHEET      a sheet of your own: 'A4 3x7 63.5x38.1 pitch 66x38.1 margins\n"
         "                     7.25,15.15' (page A4, A5, A6, Letter, Legal or WxH; columns x "
         "rows;\n"
         "                     the label; pitch and left,top margins optional); 'roll 62x29' for\n"
         "                     a label printer. Sizes in mm, or in inches ending in \"in\".\n"
         "  --data TEXT        the same data on every label (see --copies)\n"
         "  --sequence PATTERN numbered data: 'ASSET-{0001..0500}', '{10..100..5}'; a leading\n"
         "                     zero pads to the wider bound\n"
         "  --batch LIST       a list as for the batch; with --type each line is the data\n"
         "  --column N         with --batch and --type: each line is CSV, field N the data\n"
         "  --copies N         labels per record (default 1)\n"
         "  --start N          the first label's position on the first sheet, across then down\n"
         "                     (default 1: a partly used sheet starts further on)\n"
         "  --text-above LINE, --text-below LINE\n"
         "                     a text line above or below the symbol, three at most in all;\n"
         "                     {data}, {line}, {n} (the label's number) and {1}, {2}, ... (CSV\n"
         "                     fields) are filled in\n"
         "  --text-size PT     the text lines' size (default 8)\n"
         "  --label-margin MM  kept free inside each label's edge (default 1)\n"
         "  --offset X,Y       move everything by X, Y mm, for a printer that shifts the page\n"
         "  --dpi N            the printer's dots per inch (203, 300, 600); --module snaps to "
         "them\n"
         "  --verify           grade every label as printed, as --verify grades an export; exit\n"
         "                     4 naming page, row and column of any that does not pass\n"
         "  A symbol that does not fit its label at the X chosen is refused (exit 1) with the\n"
         "  sizes; nothing is shrunk. A refused record stops the run and nothing is written.\n"
         "\n";
}

}  // namespace cli
