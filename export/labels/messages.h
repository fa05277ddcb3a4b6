#pragma once

// Every message of the labels, in words, in one place.

#include <QString>

#include "export/labels/sequence.h"
#include "export/labels/sheets.h"

namespace labels {

QString describe(const SheetError& error);
QString describe(const SequenceError& error);

// A symbol, with its text lines, larger than its label allows.
struct TooLarge {
  QString data;
  double widthMm = 0, heightMm = 0;  // what it needs
  double labelWidth = 0, labelHeight = 0;
  double marginMm = 0;
  double moduleMm = 0;
};
QString describe(const TooLarge& problem);

// A record named as the run's messages name it: "line 12" in a list, "label 7" otherwise.
QString recordName(bool fromList, long long number);

// A sheet's geometry in one line: "A4 3 x 7 of 63.5 x 38.1 mm".
QString describeSheet(const Sheet& sheet);

}  // namespace labels
