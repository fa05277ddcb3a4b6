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
  const app::SymbolRequest request =
      app::requestFor(*app::choiceByKey("code128"), "GRADE-BENCH 20 CHARS", options);
  const auto layout = std::get<render::Layout>(app::layoutSymbol(request));
  const app::ExportPlan plan = app::planExport(options, layout);
  const std::string file = render::document(layout, plan.output);
  const QByteArray bytes(file.data(), static_cast<qsizetype>(file.size()));
  for (auto _ : state) {
    const auto graded = app::gradeExport(bytes, request, plan);
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
