#include "export/labels/messages.h"

#include <cmath>

namespace labels {

namespace {

// Millimetres as a sheet's maker writes them: 63.5, 38.1, 7.25.
QString mm(double value) {
  QString text = QString::number(value, 'f', 2);
  while (text.contains(QLatin1Char('.')) && (text.endsWith(QLatin1Char('0')))) text.chop(1);
  if (text.endsWith(QLatin1Char('.'))) text.chop(1);
  return text;
}

QString pageName(const Sheet& sheet) {
  const auto near = [](double a, double b) { return std::abs(a - b) < 0.05; };
  if (near(sheet.pageWidth, kA4Width) && near(sheet.pageHeight, kA4Height))
    return QStringLiteral("A4");
  if (near(sheet.pageWidth, kLetterWidth) && near(sheet.pageHeight, kLetterHeight))
    return QStringLiteral("Letter");
  return QStringLiteral("%1 x %2 mm").arg(mm(sheet.pageWidth), mm(sheet.pageHeight));
}

}  // namespace

QString describe(const SheetError& error) {
  const QString word = QString::fromStdString(error.word);
  switch (error.kind) {
    case SheetError::Empty:
      return QStringLiteral(
          "--sheet needs a page, a grid and a label size, such as "
          "'A4 3x7 63.5x38.1'");
    case SheetError::UnknownPage:
      return QStringLiteral(
                 "--sheet: \"%1\" is not a page size (A4, A5, A6, Letter, Legal or "
                 "WxH in mm)")
          .arg(word);
    case SheetError::BadNumbers:
      return QStringLiteral(
                 "--sheet: \"%1\" is not two positive numbers (CxR for the grid, WxH "
                 "for sizes, L,T for margins)")
          .arg(word);
    case SheetError::UnknownWord:
      return QStringLiteral(
                 "--sheet: \"%1\" is not understood; after the label size come "
                 "\"pitch WxH\" and \"margins L,T\"")
          .arg(word);
    case SheetError::Missing:
      return QStringLiteral("--sheet: %1 is missing").arg(word);
    case SheetError::PitchTooSmall:
      return QStringLiteral("--sheet: the pitch is smaller than the label, so labels overlap");
    case SheetError::TooWide:
      return QStringLiteral("--sheet: the labels reach %1 mm across; the page is %2 mm wide")
          .arg(mm(error.need), mm(error.have));
    case SheetError::TooTall:
      return QStringLiteral("--sheet: the labels reach %1 mm down; the page is %2 mm tall")
          .arg(mm(error.need), mm(error.have));
  }
  return {};
}

QString describe(const SequenceError& error) {
  switch (error.kind) {
    case SequenceError::NoRange:
      return QStringLiteral("--sequence needs a range in braces, such as 'ASSET-{0001..0500}'");
    case SequenceError::TwoRanges:
      return QStringLiteral("--sequence takes one range in braces, not two");
    case SequenceError::NotANumber:
      return QStringLiteral(
                 "--sequence: \"%1\" is not a whole number; a range is {FIRST..LAST} "
                 "or {FIRST..LAST..STEP}")
          .arg(QString::fromStdString(error.word));
    case SequenceError::ZeroStep:
      return QStringLiteral("--sequence: a step of 0 never reaches the end of the range");
    case SequenceError::TooMany:
      return QStringLiteral("--sequence makes %1 labels; at most %2 are made at once")
          .arg(error.count)
          .arg(kMaxSequence);
  }
  return {};
}

QString describe(const TooLarge& problem) {
  return QStringLiteral(
             "\"%1\" needs %2 x %3 mm at X = %4 mm; the label is %5 x %6 mm, %7 x %8 mm inside "
             "its %9 mm margins")
      .arg(problem.data, mm(problem.widthMm), mm(problem.heightMm),
           QString::number(problem.moduleMm, 'f', 3), mm(problem.labelWidth),
           mm(problem.labelHeight), mm(problem.labelWidth - 2 * problem.marginMm),
           mm(problem.labelHeight - 2 * problem.marginMm), mm(problem.marginMm));
}

QString recordName(bool fromList, long long number) {
  return (fromList ? QStringLiteral("line %1") : QStringLiteral("label %1")).arg(number);
}

QString describeSheet(const Sheet& sheet) {
  if (sheet.roll)
    return QStringLiteral("one label a page, %1 x %2 mm")
        .arg(mm(sheet.labelWidth), mm(sheet.labelHeight));
  return QStringLiteral("%1, %2 x %3 of %4 x %5 mm")
      .arg(pageName(sheet))
      .arg(sheet.columns)
      .arg(sheet.rows)
      .arg(mm(sheet.labelWidth), mm(sheet.labelHeight));
}

}  // namespace labels
