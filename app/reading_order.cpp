#include "reading_order.h"

#include "worksheet/number.h"
#include "worksheet/rows.h"

#include <span>

using namespace worksheet;
using namespace worksheet::literals;

namespace {

struct Named {
    Control control;
    const char* name;
};

// Controls outside the sections' rows, with the names they go by.
constexpr Named header[] = {
    {"Text35"_ctl, "Attack from"},  {"Text37"_ctl, "Attack from, number"}, {"Command1"_ctl, "Print"},
    {"Text36"_ctl, "Attack on"},    {"Text38"_ctl, "Attack on, number"},   {"Command3"_ctl, "Exit"},
    {"Combo2"_ctl, "Mission type"},
};
constexpr Named closing[] = {
    {"Combo26"_ctl, "Close air support details are given on mission"},
    {"Text29"_ctl, "Combat supplies, count"},
    {"Combo8"_ctl, "Combat supplies, type"},
    {"Command6"_ctl, "Combat supplies, clear and work out the APC supplies"},
};
constexpr Named summary[] = {
    {"Label110"_ctl, "You can carry, squads"},
    {"Label108"_ctl, "Or, pounds of cargo"},
    {"Label40"_ctl, "You can tow, weapons from the towed section"},
    {"Label75"_ctl, "You will need, combat supplies for the mission"},
    {"Label121"_ctl, "Of those, supplies carried as the combat load"},
};

// What each button beside a section does, beyond its caption.
constexpr Named buttonNotes[] = {
    {"Command11"_ctl, "Clears the truck rows, and the APC rows as well"},
    {"Command19"_ctl, "Clears the armour rows"},
    {"Command5"_ctl, "Clears the vehicle rows"},
    {"Command7"_ctl, "Clears the APC rows"},
    {"Command2"_ctl, "Clears the infantry rows and their Marching ticks"},
    {"Command8"_ctl, "Clears the weapon rows and the combat supplies row"},
    {"Command16"_ctl, "Clears the towed unit rows"},
    {"Command6"_ctl, "Not a Clear: works the APC rows into the supply calculation, once while the program runs, "
                     "when a mission type is chosen. It empties the combat supplies row without taking back what "
                     "that row added."},
};

struct Section {
    const char* name;
    std::span<const Row> rows;
    Control clear;
};

constexpr Section vehicleSections[] = {
    {"Trucks", truckRows, "Command11"_ctl},
    {"Armour", armourRows, "Command19"_ctl},
    {"Vehicles", otherVehicleRows, "Command5"_ctl},
    {"APCs", apcRows, "Command7"_ctl},
};
constexpr Control infantryClear = "Command2"_ctl;
constexpr Section troopSections[] = {
    {"Weapons", weaponRows, "Command8"_ctl},
    {"Towed units", towedRows, "Command16"_ctl},
};

struct Capacity {
    Control tally;
    const char* one;
    const char* many;
};
constexpr Capacity capacities[] = {
    {"Label110"_ctl, "squad", "squads"},
    {"Label108"_ctl, "pound", "pounds"},
    {"Label40"_ctl, "towing place", "towing places"},
};

template <class Visit> void forEachNamed(Visit&& visit)
{
    auto row = [&](const char* section, std::size_t i, const char* part, Control c) {
        visit(c, QStringLiteral("%1, row %2, %3").arg(QLatin1String(section)).arg(i + 1).arg(QLatin1String(part)));
    };
    auto clear = [&](const char* section, Control c) {
        visit(c, QStringLiteral("%1, clear").arg(QLatin1String(section)));
    };
    for (const Named& n : header)
        visit(n.control, QLatin1String(n.name));
    auto section = [&](const Section& s) {
        for (std::size_t i = 0; i < s.rows.size(); ++i) {
            row(s.name, i, "count", s.rows[i].count);
            row(s.name, i, "type", s.rows[i].list);
        }
        clear(s.name, s.clear);
    };
    for (const Section& s : vehicleSections)
        section(s);
    for (std::size_t i = 0; i < std::size(infantryRows); ++i) {
        row("Infantry", i, "marching", infantryRows[i].marching);
        row("Infantry", i, "count", infantryRows[i].count);
        row("Infantry", i, "type", infantryRows[i].list);
    }
    clear("Infantry", infantryClear);
    for (const Section& s : troopSections)
        section(s);
    for (const Named& n : closing)
        visit(n.control, QLatin1String(n.name));
}

} // namespace

const QString& accessibleNameOf(Control c)
{
    static const auto names = [] {
        std::vector<QString> all(controlCount);
        forEachNamed([&](Control named, const QString& name) { all[named.index] = name; });
        for (const Named& n : summary)
            all[n.control.index] = QLatin1String(n.name);
        return all;
    }();
    return names[c.index];
}

QString buttonNoteOf(Control c)
{
    for (const Named& n : buttonNotes)
        if (n.control == c)
            return QLatin1String(n.name);
    return {};
}

QString disabledNoteOf(Control c)
{
    for (const Row& row : rowsWaitingForCount)
        if (row.list == c)
            return QStringLiteral("Type a count and choose a mission type first");
    return {};
}

QString uncountedNoteOf(Control c)
{
    const char* what = c == "Combo2"_ctl ? "a mission type" : c == "Combo26"_ctl ? "a mission number" : "a kind";
    return QStringLiteral("Typed, not counted: choose %1 from the list").arg(QLatin1String(what));
}

std::vector<Control> readingOrder()
{
    std::vector<Control> order;
    forEachNamed([&](Control c, const QString&) { order.push_back(c); });
    return order;
}

std::optional<QString> overCapacityNote(Control c, double value)
{
    for (const Capacity& capacity : capacities)
        if (capacity.tally == c && value < 0) {
            const double over = -value;
            return QStringLiteral("Over capacity by %1 %2")
                .arg(QString::fromStdString(formatNumber(over)),
                     QLatin1String(over == 1 ? capacity.one : capacity.many));
        }
    return std::nullopt;
}
