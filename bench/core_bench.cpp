// Microbenchmarks of the headless core: the number rule, and a pick and a
// Clear through the dispatcher with the worksheet's own routes.
#include "sections/routes.h"
#include "sections/tallies.h"
#include "worksheet/form_events.h"
#include "worksheet/number.h"

#include <benchmark/benchmark.h>

#include <array>
#include <string_view>

using namespace worksheet;
using namespace worksheet::literals;

namespace {

constexpr std::size_t advanceToContact = 3;
constexpr std::size_t zilTruck = 1;
constexpr Control firstTruckCount = "Text10"_ctl;
constexpr Control firstTruckList = "Combo33"_ctl;
constexpr Control trucksClear = "Command11"_ctl;

// A worksheet with a mission chosen and a count in the first truck row, so
// that the row's list is enabled.
struct ReadySheet {
    NoHost host;
    Sheet sheet{host, sections::routes()};

    ReadySheet()
    {
        sheet.userPick(missionType, advanceToContact);
        sheet.userEdit(firstTruckCount, "2");
    }
};

void parse(benchmark::State& state)
{
    constexpr std::array<std::string_view, 6> texts = {"0", "12952", " -1.5E+3 ", "7.5", "1 2 3 4", "Label108"};
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(parseNumber(texts[i]));
        i = (i + 1) % texts.size();
    }
}
BENCHMARK(parse);

void format(benchmark::State& state)
{
    constexpr std::array<double, 6> values = {0, 12952, -1500, 7.5, 1.5e20, 0.1 + 0.2};
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(formatNumber(values[i]));
        i = (i + 1) % values.size();
    }
}
BENCHMARK(format);

void truckPick(benchmark::State& state)
{
    ReadySheet ready;
    for (auto _ : state)
        ready.sheet.userPick(firstTruckList, zilTruck);
    if (ready.sheet.number(sections::summary::cargoPounds) <= 0)
        state.SkipWithError("the pick added no cargo");
}
BENCHMARK(truckPick);

// The user's round: a count typed, a pick, then the section's Clear, which
// blanks the count again.
void countPickAndClear(benchmark::State& state)
{
    ReadySheet ready;
    for (auto _ : state) {
        ready.sheet.userEdit(firstTruckCount, "2");
        ready.sheet.userPick(firstTruckList, zilTruck);
        ready.sheet.userPress(trucksClear);
    }
    if (ready.sheet.text(sections::summary::cargoPounds) != "0")
        state.SkipWithError("the Clear left cargo in the tally");
}
BENCHMARK(countPickAndClear);

// A Clear of rows that are already clear still writes every share.
void clearOfClearRows(benchmark::State& state)
{
    ReadySheet ready;
    ready.sheet.userPress(trucksClear);
    for (auto _ : state)
        ready.sheet.userPress(trucksClear);
}
BENCHMARK(clearOfClearRows);

} // namespace

BENCHMARK_MAIN();
