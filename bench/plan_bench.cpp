// Saving and opening a full plan: in the window as File Save and Open do
// them (the file written whole, or read, checked and shown in every widget),
// and the plan file alone.
#include "app/program.h"
#include "app/worksheet_window.h"
#include "plan/plan.h"
#include "worksheet/form.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace worksheet;

namespace {

// Every box and list holding text, every bookkeeping tally a number of 15
// digits: a plan as large as a worksheet makes one.
SheetState fullPlan(const Sheet& sheet)
{
    SheetState state = sheet.state();
    for (std::size_t i = 0; i < controlCount; ++i) {
        const ControlDecl& d = form[i];
        std::string& text = state.controls[i].text;
        if (d.kind == Kind::TextBox)
            text = "12";
        else if (d.kind == Kind::List)
            text = "Ural-375 Heavy Truck";
        else if (d.kind == Kind::Label && d.left >= hiddenPartLeft)
            text = "123456.789012345";
    }
    return state;
}

// The window with the full plan open; the start-up worksheet as a plan too.
struct Plans {
    QTemporaryDir folder;
    WorksheetWindow window;
    QString path = folder.filePath(QStringLiteral("full.cwplan"));
    QString empty = folder.filePath(QStringLiteral("start-up.cwplan"));

    Plans()
    {
        if (!plan::write(window.sheet().state(), empty).isEmpty() ||
            !plan::write(fullPlan(window.sheet()), path).isEmpty() || !window.openPlan(path))
            qFatal("the plans cannot be written and opened");
        window.show();
    }
};

// Each open changes every box and list, and half the tallies: the full plan
// and the start-up one in turn.
void openInWindow(benchmark::State& state)
{
    Plans plans;
    bool full = false;
    for (auto _ : state) {
        if (!plans.window.openPlan(full ? plans.path : plans.empty))
            state.SkipWithError("the plan was not opened");
        full = !full;
    }
}
BENCHMARK(openInWindow)->Unit(benchmark::kMicrosecond);

void saveInWindow(benchmark::State& state)
{
    Plans plans;
    for (auto _ : state)
        if (!plans.window.savePlan(plans.path))
            state.SkipWithError("the plan was not saved");
}
BENCHMARK(saveInWindow)->Unit(benchmark::kMicrosecond);

void readPlanFile(benchmark::State& state)
{
    Plans plans;
    for (auto _ : state)
        benchmark::DoNotOptimize(plan::read(plans.path));
}
BENCHMARK(readPlanFile)->Unit(benchmark::kMicrosecond);

void writePlanText(benchmark::State& state)
{
    Plans plans;
    const SheetState full = plans.window.sheet().state();
    for (auto _ : state)
        benchmark::DoNotOptimize(plan::toText(full));
}
BENCHMARK(writePlanText)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietOffscreenNotes);
    QApplication app(argc, argv);
    setUpApplication();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
