#pragma once

// The labels on the command line: --labels or --sheet, the data from --data,
// --sequence or --batch, and a multi-page PDF out.

#include <QCommandLineOption>
#include <QList>
#include <QString>
#include <functional>
#include <span>

#include "export/exportoptions.h"

class QCommandLineParser;
class QTextStream;

namespace app {
struct Choice;
}

namespace cli {

QList<QCommandLineOption> labelOptions();
// Their long names, without the dashes.
std::span<const char* const> labelOptionNames();
QString labelsUsage();

// Whether the arguments ask for labels (or the table of templates).
bool wantsLabels(const QCommandLineParser& parser);
// A labels-only option given to a single export or a batch, in words; or "".
QString misplacedLabelOption(const QCommandLineParser& parser);

// Runs the labels; returns the exit status. usageError prints a message
// with the usage and returns its status.
int runLabels(const QCommandLineParser& parser, const app::ExportOptions& options,
              const app::Choice* choice, QTextStream& out, QTextStream& err,
              const std::function<int(const QString&)>& usageError);

}  // namespace cli
