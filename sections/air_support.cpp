#include "handlers.h"

#include "tallies.h"
#include "worksheet/catalogue.h"
#include "worksheet/form_events.h"
#include "worksheet/rows.h"

#include <string>
#include <string_view>

namespace sections {

namespace {

using namespace worksheet;

constexpr Control closeAirSupport = "Check5"_ctl;
constexpr Control noteText = "Label38"_ctl;
constexpr Control noteMission = "Combo26"_ctl;
constexpr Control calculationButton = "Command6"_ctl;

// The calculation reads the mission from the list's text, with its own
// factors: "Raid" counts 0 here and "Airstrike" can only be typed.
struct CalculationFactor {
    std::string_view name;
    int factor;
};
constexpr CalculationFactor calculationFactors[] = {
    {"Recon", 1},     {"Probe", 1}, {"Advance To Contact", 2}, {"Artillery Barrage", 3}, {"Deliberate Attack", 3},
    {"Airstrike", 2},
};
static_assert(kindNamed(calculationFactors, "Raid").factor == 0);

// Per-vehicle figures of the calculation. Four of these texts are no list
// item; they count only when typed into an APC row's list exactly so.
struct ApcFigures {
    std::string_view name;
    int pounds;      // into Label15
    int supplyLoads; // summed into Label31
    int squads;      // times the factor into Label27
};
constexpr ApcFigures apcFigures[] = {
    {"OT-810 APC", 2500, 1, 4},  {"EE-11 Urutu APC", 2500, 1, 4}, {"AMX-VCI APC", 2500, 1, 4},
    {"Saracen APC", 2500, 1, 3}, {"BTR-152 APC", 5000, 2, 3},     {"AMX-VCG Engineer Vehicle", 2500, 1, 4},
};

} // namespace

void closeAirSupportClick(Sheet& sheet, int)
{
    // Unticking never hides the note.
    if (!sheet.checked(closeAirSupport))
        return;
    sheet.setVisible(noteText, true);
    sheet.setVisible(noteMission, true);
}

void supplyCalculationClick(Sheet& sheet, int)
{
    sheet.blank(supplyRow.list);
    sheet.setText(supplyRow.count, "0");

    const std::string mission = sheet.text(missionType);
    if (mission.empty() || mission == "None") {
        sheet.message(messages::calculationNeedsMission);
        return;
    }

    sheet.setChecked(closeAirSupport, true);
    // The calculation runs once while the program runs.
    sheet.setEnabled(calculationButton, false);

    // The APCs' supply loads are summed here rather than in a caption: the
    // heading "Combat Supplies" beside the button stays a heading, and the
    // armour's squads share stays the armour's alone, so that the Armour
    // Clear takes out only what armour added.
    const int factor = kindNamed(calculationFactors, mission).factor;
    double supplyLoads = 0;
    for (const Row& r : apcRows) {
        const ApcFigures* apc = findKind(apcFigures, sheet.text(r.list));
        if (!apc)
            continue;
        const double count = sheet.number(r.count);
        sheet.add(grid::apcPounds, count * apc->pounds);
        supplyLoads += count * apc->supplyLoads;
        sheet.add(grid::apcSquadsTimesFactor, count * apc->squads * factor);
    }
    sheet.add(grid::apcSupplyLoadsTotal, supplyLoads);
    sheet.add(grid::apcPoundsTotal, sheet.number(grid::apcPounds));
    // The APCs' cargo cell Label47 is left alone: it holds the pounds the APC
    // picks added to the cargo left, which the APC Clear takes back out.
    sheet.add(grid::apcSquadsTimesFactorTotal, sheet.number(grid::apcSquadsTimesFactor));
}

} // namespace sections
