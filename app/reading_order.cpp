#include "reading_order.h"

#include "sections/sections.h"
#include "worksheet/form_events.h"
#include "worksheet/number.h"

#include <span>

using namespace worksheet;
using namespace worksheet::literals;

namespace {

QLatin1String latin1(std::string_view s)
{
    return QLatin1String(s.data(), static_cast<qsizetype>(s.size()));
}

struct Named {
    Control control;
    const char* name;
};

// Controls outside the sections' rows, with the names they go by.
constexpr Named header[] = {
    {"Text35"_ctl, "Attack from"}, {"Text37"_ctl, "Attack from, number"}, {printButton, "Print"},
    {"Text36"_ctl, "Attack on"},   {"Text38"_ctl, "Attack on, number"},   {exitButton, "Exit"},
    {missionType, "Mission type"},
};
constexpr Named closing[] = {
    {"Combo26"_ctl, "Close air support details are given on mission"},
    {"Text29"_ctl, "Combat supplies, count"},
    {"Combo8"_ctl, "Combat supplies, type"},
    {"Command6"_ctl, "Combat supplies, clear and work out the APC supplies"},
};
constexpr Named summaryNames[] = {
    {sections::summary::squads, "You can carry, squads"},
    {sections::summary::cargoPounds, "Or, pounds of cargo"},
    {sections::summary::towing, "You can tow, weapons from the towed section"},
    {sections::summary::suppliesNeeded, "You will need, combat supplies for the mission"},
    {sections::summary::combatLoad, "Of those, supplies carried as the combat load"},
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

struct Capacity {
    Control tally;
    const char* one;
    const char* many;
};
constexpr Capacity capacities[] = {
    {sections::summary::squads, "squad", "squads"},
    {sections::summary::cargoPounds, "pound", "pounds"},
    {sections::summary::towing, "towing place", "towing places"},
};

template <class Visit> void forEachNamed(Visit&& visit)
{
    auto row = [&](std::string_view section, std::size_t i, const char* part, Control c) {
        visit(c, QStringLiteral("%1, row %2, %3").arg(latin1(section)).arg(i + 1).arg(QLatin1String(part)));
    };
    auto clear = [&](std::string_view section, Control c) {
        visit(c, QStringLiteral("%1, clear").arg(latin1(section)));
    };
    for (const Named& n : header)
        visit(n.control, QLatin1String(n.name));
    for (const sections::Section& s : sections::sectionTable) {
        for (std::size_t i = 0; i < s.rows.size(); ++i) {
            if (s.rows[i].marching)
                row(s.name, i, "marching", *s.rows[i].marching);
            row(s.name, i, "count", s.rows[i].count);
            row(s.name, i, "type", s.rows[i].list);
        }
        clear(s.name, s.clear);
    }
    for (const Named& n : closing)
        visit(n.control, QLatin1String(n.name));
}

} // namespace

const QString& accessibleNameOf(Control c)
{
    static const auto names = [] {
        std::vector<QString> all(controlCount);
        forEachNamed([&](Control named, const QString& name) { all[named.index] = name; });
        for (const Named& n : summaryNames)
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
    const char* what = c == missionType ? "a mission type" : c == "Combo26"_ctl ? "a mission number" : "a kind";
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
