#include "reading_order.h"

#include "sections/names.h"
#include "sections/sections.h"
#include "worksheet/form_events.h"
#include "worksheet/number.h"

#include <algorithm>
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

constexpr Caption captionTable[] = {
    // The header's two "Number" captions are left out: read for the boxes,
    // they would hide which number each is ("Attack from, number"). So are
    // the summary's: each figure's own name says them with its number.
    {"Label84"_ctl, "Text35"_ctl},
    {"Label85"_ctl, "Text36"_ctl},
    {"Label3"_ctl, missionType},
    {"Label5"_ctl, *infantryRows[0].marching},
    {"Label38"_ctl, "Combo26"_ctl},
    {"Label64"_ctl, "Text29"_ctl},
};

// The summary's captions, either side of its figures.
constexpr Control summaryCaptions[] = {"Label109"_ctl, "Label68"_ctl,  "Label107"_ctl, "Label70"_ctl,
                                       "Label39"_ctl,  "Label106"_ctl, "Label74"_ctl,  "Label111"_ctl,
                                       "Label112"_ctl, "Label93"_ctl};

} // namespace

const QString& accessibleNameOf(Control c)
{
    static const auto names = [] {
        std::vector<QString> all(controlCount);
        for (std::size_t i = 0; i < controlCount; ++i)
            all[i] = QString::fromStdString(sections::nameOf(Control{static_cast<std::uint16_t>(i)}));
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
    return sections::readingOrder();
}

std::optional<QString> overCapacityNote(Control c, double value)
{
    if (auto note = sections::overCapacityNote(c, value))
        return QString::fromStdString(*note);
    return std::nullopt;
}

QString figureNameOf(Control c, double value)
{
    return QString::fromStdString(sections::figureSaying(c, value));
}

std::span<const Caption> captions()
{
    return captionTable;
}

std::vector<Group> groups()
{
    std::vector<Group> out;
    auto withCaptions = [](Group g) {
        for (const Caption& k : captionTable)
            if (std::find(g.members.begin(), g.members.end(), k.of) != g.members.end())
                g.members.push_back(k.caption);
        return g;
    };
    for (const sections::Section& s : sections::sectionTable) {
        Group g{latin1(s.name), {s.clear, s.heading}};
        for (const Row& row : s.rows) {
            if (row.marching)
                g.members.push_back(*row.marching);
            g.members.push_back(row.count);
            g.members.push_back(row.list);
        }
        out.push_back(withCaptions(std::move(g)));
    }
    Group summary{QStringLiteral("Summary"), {}};
    for (const Figure& f : figures)
        summary.members.push_back(f.control);
    for (Control caption : summaryCaptions)
        summary.members.push_back(caption);
    out.push_back(std::move(summary));
    // One group: the two overlap, and a group over another's control would
    // take its clicks.
    out.push_back(withCaptions({QStringLiteral("Close air support and combat supplies"),
                                {"Combo26"_ctl, "Text29"_ctl, "Combo8"_ctl, "Command6"_ctl}}));
    return out;
}
