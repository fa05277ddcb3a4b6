// The labels' pure parts: the sheets' table and typed sheets against their
// published dimensions, sequences against the shell's own brace expansion,
// and the fields of the text lines.
#include <gtest/gtest.h>

#include <QProcess>
#include <cmath>
#include <vector>

#include "export/labels/fields.h"
#include "export/labels/sequence.h"
#include "export/labels/sheets.h"

namespace {

using labels::Sheet;

bool near(double a, double b, double tolerance = 0.005) { return std::abs(a - b) <= tolerance; }

// The layouts and label sizes the sheets are sold by, as their makers print
// them on the packet (in inches for the US ones), found by product code.
struct Published {
  const char* code;
  int columns, rows;
  double width, height;  // mm
};
const Published kPublished[] = {
    {"L7160", 3, 7, 63.5, 38.1},      {"L7159", 3, 8, 63.5, 33.9},
    {"L7163", 2, 7, 99.1, 38.1},      {"L7654", 4, 10, 45.7, 25.4},
    {"L7651", 5, 13, 38.1, 21.2},     {"5160", 3, 10, 2.625 * 25.4, 25.4},
    {"5161", 2, 10, 4 * 25.4, 25.4},  {"5167", 4, 20, 1.75 * 25.4, 0.5 * 25.4},
    {"5371", 2, 5, 3.5 * 25.4, 50.8}, {"L7414", 2, 5, 90, 52},
    {"L7167", 1, 1, 199.6, 289.1},    {"8165", 1, 1, 215.9, 279.4},
    {"DK-11209", 1, 1, 62, 29},       {"11354", 1, 1, 57, 32},
};

TEST(LabelSheets, ProductCodesFindTheirPublishedLayout) {
  for (const Published& p : kPublished) {
    const labels::Template* row = labels::findTemplate(p.code);
    ASSERT_NE(row, nullptr) << p.code;
    const Sheet& s = row->sheet;
    EXPECT_EQ(s.columns, p.columns) << p.code;
    EXPECT_EQ(s.rows, p.rows) << p.code;
    EXPECT_TRUE(near(s.labelWidth, p.width) && near(s.labelHeight, p.height))
        << p.code << ": " << s.labelWidth << " x " << s.labelHeight;
  }
}

// Every sheet of the table is printed with its grid in the middle of the
// page: a wrong pitch or margin shows as one side wider than the other.
TEST(LabelSheets, EveryGridIsCentredOnItsPaper) {
  for (const labels::Template& row : labels::kTemplates) {
    const Sheet& s = row.sheet;
    const bool a4 = near(s.pageWidth, 210) && near(s.pageHeight, 297);
    const bool letter = near(s.pageWidth, 215.9) && near(s.pageHeight, 279.4);
    EXPECT_TRUE(s.roll || a4 || letter) << row.name;
    EXPECT_TRUE(near(s.pageWidth - s.right(), s.left, 0.01)) << row.name;
    EXPECT_TRUE(near(s.pageHeight - s.bottom(), s.top, 0.01)) << row.name;
    EXPECT_EQ(labels::findTemplate(row.name), &row) << row.name;
  }
}

struct TypedSheet {
  const char* name;
  const char* text;
  std::optional<Sheet> sheet;  // nothing: refused
  labels::SheetError::Kind refusal = labels::SheetError::Empty;
};
// L7160's published figures: 3 x 7 of 63.5 x 38.1, pitch 66, margins 7.25 and 15.15.
const Sheet kL7160{210, 297, 3, 7, 63.5, 38.1, 66, 38.1, 7.25, 15.15, false};
const TypedSheet kTyped[] = {
    {"the published L7160 typed out", "A4 3x7 63.5x38.1 pitch 66x38.1 margins 7.25,15.15", kL7160},
    {"without margins the grid is centred, as L7160 is", "a4 3x7 63.5x38.1 pitch 66x38.1", kL7160},
    {"inches: 5160's 2 5/8 x 1 on Letter",
     "Letter 3x10 2.625x1in pitch 2.75x1in margins 0.1875,0.5in",
     Sheet{215.9, 279.4, 3, 10, 66.675, 25.4, 69.85, 25.4, 4.7625, 12.7, false}},
    {"a page by its size", "100x150 1x1 100x150", Sheet{100, 150, 1, 1, 100, 150, 100, 150, 0, 0}},
    {"a roll", "roll 62x29", Sheet{62, 29, 1, 1, 62, 29, 62, 29, 0, 0, true}},
    {"nothing", "", std::nullopt, labels::SheetError::Empty},
    {"an unknown paper", "B9 3x7 63.5x38.1", std::nullopt, labels::SheetError::UnknownPage},
    {"a grid of half labels", "A4 2.5x7 63.5x38.1", std::nullopt, labels::SheetError::BadNumbers},
    {"a word after the label", "A4 3x7 63.5x38.1 gap 2", std::nullopt,
     labels::SheetError::UnknownWord},
    {"no label size", "A4 3x7", std::nullopt, labels::SheetError::Missing},
    {"overlapping labels", "A4 3x7 63.5x38.1 pitch 60x38.1", std::nullopt,
     labels::SheetError::PitchTooSmall},
    {"four columns of L7160 do not fit A4", "A4 4x7 63.5x38.1 pitch 66x38.1 margins 7.25,15.15",
     std::nullopt, labels::SheetError::TooWide},
    {"eight rows do not either", "A4 3x8 63.5x38.1 pitch 66x38.1 margins 7.25,15.15", std::nullopt,
     labels::SheetError::TooTall},
};

TEST(LabelSheets, TypedSheets) {
  for (const TypedSheet& row : kTyped) {
    const auto parsed = labels::parseSheet(row.text);
    if (!row.sheet) {
      const auto* error = std::get_if<labels::SheetError>(&parsed);
      ASSERT_NE(error, nullptr) << row.name;
      EXPECT_EQ(error->kind, row.refusal) << row.name;
      continue;
    }
    const auto* sheet = std::get_if<Sheet>(&parsed);
    ASSERT_NE(sheet, nullptr) << row.name;
    const Sheet& want = *row.sheet;
    for (const auto& [got, expected] : {std::pair{sheet->pageWidth, want.pageWidth},
                                        {sheet->pageHeight, want.pageHeight},
                                        {sheet->labelWidth, want.labelWidth},
                                        {sheet->labelHeight, want.labelHeight},
                                        {sheet->pitchX, want.pitchX},
                                        {sheet->pitchY, want.pitchY},
                                        {sheet->left, want.left},
                                        {sheet->top, want.top}})
      EXPECT_TRUE(near(got, expected)) << row.name << ": " << got << " against " << expected;
    EXPECT_EQ(sheet->columns, want.columns) << row.name;
    EXPECT_EQ(sheet->rows, want.rows) << row.name;
    EXPECT_EQ(sheet->roll, want.roll) << row.name;
  }
}

// What bash makes of the same braces.
std::vector<std::string> shellExpansion(const char* pattern) {
  QProcess bash;
  bash.start(QStringLiteral("bash"),
             {QStringLiteral("-c"), QStringLiteral("printf '%s\\n' ") + QLatin1String(pattern)});
  bash.waitForFinished();
  std::vector<std::string> words;
  for (const QByteArray& line : bash.readAllStandardOutput().split('\n'))
    if (!line.isEmpty()) words.push_back(line.toStdString());
  return words;
}

TEST(LabelSequences, ExpandAsTheShellDoes) {
  for (const char* pattern : {"ASSET-{0001..0500}", "{1..12}", "BOX{10..100..15}X", "{9..1}",
                              "{0..20..5}", "{08..11}", "R{7..7}", "{001..1200..97}"}) {
    const auto parsed = labels::parseSequence(pattern);
    const auto* sequence = std::get_if<labels::Sequence>(&parsed);
    ASSERT_NE(sequence, nullptr) << pattern;
    std::vector<std::string> ours;
    for (long long i = 0; i < sequence->count(); ++i) ours.push_back(sequence->at(i));
    EXPECT_EQ(ours, shellExpansion(pattern)) << pattern;
  }
}

struct BadSequence {
  const char* pattern;
  labels::SequenceError::Kind kind;
};
const BadSequence kBadSequences[] = {
    {"ASSET-0001", labels::SequenceError::NoRange},
    {"{1..5}-{1..5}", labels::SequenceError::TwoRanges},
    {"{1..x}", labels::SequenceError::NotANumber},
    {"{..5}", labels::SequenceError::NotANumber},
    {"{-3..5}", labels::SequenceError::NotANumber},
    {"{1..9..0}", labels::SequenceError::ZeroStep},
    {"{1..99999999999}", labels::SequenceError::TooMany},
};

TEST(LabelSequences, BadRangesAreRefused) {
  for (const BadSequence& row : kBadSequences) {
    const auto parsed = labels::parseSequence(row.pattern);
    const auto* error = std::get_if<labels::SequenceError>(&parsed);
    ASSERT_NE(error, nullptr) << row.pattern;
    EXPECT_EQ(error->kind, row.kind) << row.pattern;
  }
}

struct FieldRow {
  const char* name;
  const char* text;
  const char* expected;
};
const FieldRow kFields[] = {
    {"every field", "{data} line {line}, label {n}: {1}/{2}", "A-7 line 12, label 3: A-7/Bolts"},
    {"a column the record lacks is empty", "[{3}]", "[]"},
    {"other braces stay", "{x} {} {0} {data", "{x} {} {0} {data"},
    {"a field right after a stray brace", "{{n}}", "{3}"},
    {"no fields", "Property of the lab", "Property of the lab"},
};

TEST(LabelFields, FillTheTextLines) {
  const std::vector<std::string> columns = {"A-7", "Bolts"};
  for (const FieldRow& row : kFields)
    EXPECT_EQ(labels::expandFields(row.text,
                                   {.data = "A-7", .line = 12, .number = 3, .columns = columns}),
              row.expected)
        << row.name;
}

struct SlotRow {
  const char* name;
  long long index;
  int start;
  labels::Slot slot;
};
// L7160: 3 across, 7 down; positions count across, then down.
const SlotRow kSlots[] = {
    {"the first label", 0, 1, {0, 0, 0}},
    {"across first", 1, 1, {0, 0, 1}},
    {"then down", 3, 1, {0, 1, 0}},
    {"the last of the sheet", 20, 1, {0, 6, 2}},
    {"the next sheet", 21, 1, {1, 0, 0}},
    {"a partly used sheet starts at position 5", 0, 5, {0, 1, 1}},
    {"and its 17th label is the next sheet's first", 17, 5, {1, 0, 0}},
};

TEST(LabelSlots, AcrossThenDownFromTheStart) {
  const Sheet& sheet = labels::findTemplate("L7160")->sheet;
  for (const SlotRow& row : kSlots) {
    const labels::Slot slot = labels::slotOf(sheet, row.index, row.start);
    EXPECT_EQ(slot.page, row.slot.page) << row.name;
    EXPECT_EQ(slot.row, row.slot.row) << row.name;
    EXPECT_EQ(slot.column, row.slot.column) << row.name;
  }
}

}  // namespace
