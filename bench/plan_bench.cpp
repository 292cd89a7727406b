// Saving and opening a full plan: in the window as File Save and Open do
// them (the file written whole, or read, checked and shown in every widget),
// and the plan file alone.
#include "app/program.h"
#include "app/worksheet_window.h"
#include "plan/plan.h"
#include "report/report.h"
#include "sections/sections.h"
#include "worksheet/form.h"
#include "worksheet/form_events.h"

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

// A course of action with every row filled in: a mission, then each row's
// count and its list's kind at that place (picks short of transport are
// refused and left typed).
void fillEveryRow(Sheet& sheet, std::size_t kind)
{
    sheet.userPick(missionType, 1);
    for (const sections::Section& s : sections::sectionTable)
        for (const Row& row : s.rows) {
            sheet.userEdit(row.count, "2");
            sheet.userPick(row.list, kind % sheet.items(row.list).size());
        }
}

// Two full courses of action compared, as the comparison window and
// --compare do it, text included.
void compareFullPlans(benchmark::State& state)
{
    report::QuietSheet first, second;
    fillEveryRow(first.sheet(), 1);
    fillEveryRow(second.sheet(), 2);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            report::comparisonText(report::compare(first.sheet(), second.sheet()), QStringLiteral("a"), QStringLiteral("b")));
}
BENCHMARK(compareFullPlans)->Unit(benchmark::kMicrosecond);

// A full plan's summary, as --summary prints it.
void summaryOfFullPlan(benchmark::State& state)
{
    report::QuietSheet sheet;
    fillEveryRow(sheet.sheet(), 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(report::summaryText(sheet.sheet()));
}
BENCHMARK(summaryOfFullPlan)->Unit(benchmark::kMicrosecond);

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
