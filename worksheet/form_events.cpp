#include "form_events.h"

#include "catalogue.h"

namespace worksheet {

namespace {

// The mission factor each mission type writes into Label1, as text.
struct MissionTypeFactor {
    std::string_view name;
    std::string_view factor;
};

constexpr MissionTypeFactor missionFactors[] = {
    {"Recon", "1"}, {"Probe", "1"}, {"Advance To Contact", "2"}, {"Artillery Barrage", "3"}, {"Deliberate Attack", "3"},
    {"Raid", "1"},
};
static_assert(namesAreUnique(missionFactors) && namesAreItemsOf(missionFactors, ItemList::MissionTypes));

} // namespace

void formLoad(Sheet& sheet, int)
{
    // The other vehicles' lists are created disabled already.
    for (const Row& row : rowsWaitingForCount)
        sheet.setEnabled(row.list, false);
    for (std::uint16_t i = 0; i < controlCount; ++i)
        if (form[i].items != ItemList::None)
            sheet.setItems(Control{i}, itemsOf(form[i].items));
}

void missionTypeClick(Sheet& sheet, int)
{
    // "None" keeps whatever factor an earlier pick set.
    for (const auto& [mission, factor] : missionFactors)
        if (sheet.text(missionType) == mission) {
            sheet.setText(missionFactor, factor);
            // A count typed before the mission was refused its list; with a
            // mission chosen it gets it, as if typed now. A Clear's " " is no
            // count.
            for (const Row& row : rowsWaitingForCount)
                if (const std::string& count = sheet.text(row.count); !count.empty() && count != " ")
                    sheet.setEnabled(row.list, true);
            return;
        }
}

void countChanged(Sheet& sheet, int row)
{
    if (sheet.number(missionFactor) != 0)
        sheet.setEnabled(rowsWaitingForCount[static_cast<std::size_t>(row)].list, true);
    else
        sheet.message(messages::selectMission);
}

void printClick(Sheet& sheet, int)
{
    sheet.host().printWindow();
}

void exitClick(Sheet& sheet, int)
{
    sheet.host().quit();
}

} // namespace worksheet
