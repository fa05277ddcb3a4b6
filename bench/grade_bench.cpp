// CPU time of grading one export as --verify and the export dialog do: a 20-character
// Code 128 PNG at 4 dots a module and 300 dpi, decoded from its bytes, graded with its
// ink-spread sweep and read by both readers.
#include <benchmark/benchmark.h>

#include "export/choices.h"
#include "export/exportoptions.h"
#include "export/grading.h"
#include "export/symbollayout.h"
#include "render/devices.h"

namespace {

void gradeCode128(benchmark::State& state) {
  app::ExportOptions options;
  options.resolution = {4, 300};
  const app::SymbolRequest request = app::requestFor(
      *app::choiceByKey("code128"), QStringLiteral("GRADE-BENCH 20 CHARS"), options);
  const QByteArray bytes =
      render::document(render::Format::Png, std::get<render::Layout>(app::layoutSymbol(request)),
                       options.resolution, false);
  for (auto _ : state) {
    const auto graded = app::gradeExport(bytes, request, options.resolution);
    benchmark::DoNotOptimize(graded);
    if (const auto* grade = std::get_if<app::FileGrade>(&graded); !grade || !grade->passes)
      state.SkipWithError("the symbol does not pass");
  }
}

BENCHMARK(gradeCode128)
    ->Name("grade/code128")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

}  // namespace
