#include "names.h"

#include "sections.h"

#include "worksheet/figures.h"
#include "worksheet/form_events.h"
#include "worksheet/number.h"

#include <cctype>

using namespace worksheet;
using namespace worksheet::literals;

namespace sections {

namespace {

struct Named {
    Control control;
    std::string_view name;
};

// Controls outside the sections' rows, with the names they go by.
constexpr Named header[] = {
    {"Text35"_ctl, "Attack from"}, {"Text37"_ctl, "Attack from, number"}, {printButton, "Print"},
    {"Text36"_ctl, "Attack on"},   {"Text38"_ctl, "Attack on, number"},   {exitButton, "Exit"},
    {missionType, "Mission type"},
};
constexpr Named closing[] = {
    {"Combo26"_ctl, "Close air support details are given on mission"},
    {supplyRow.count, "Combat supplies, count"},
    {supplyRow.list, "Combat supplies, kind"},
    {"Command6"_ctl, "Combat supplies, clear and work out the APC supplies"},
};

template <class Visit> void forEachNamed(Visit&& visit)
{
    const auto row = [&](std::string_view section, std::size_t i, std::string_view part, Control c) {
        visit(c, std::string(section) + ", row " + std::to_string(i + 1) + ", " + std::string(part));
    };
    for (const Named& n : header)
        visit(n.control, std::string(n.name));
    for (const Section& s : sectionTable) {
        for (std::size_t i = 0; i < s.rows.size(); ++i) {
            if (s.rows[i].marching)
                row(s.name, i, "marching", *s.rows[i].marching);
            row(s.name, i, "count", s.rows[i].count);
            row(s.name, i, "kind", s.rows[i].list);
        }
        visit(s.clear, std::string(s.name) + ", clear");
    }
    for (const Named& n : closing)
        visit(n.control, std::string(n.name));
    for (const Figure& f : figures)
        visit(f.control, std::string(f.meaning));
}

} // namespace

const std::string& nameOf(Control c)
{
    static const auto names = [] {
        std::vector<std::string> all(controlCount);
        forEachNamed([&](Control named, std::string name) { all[named.index] = std::move(name); });
        return all;
    }();
    return names[c.index];
}

const std::vector<Control>& readingOrder()
{
    static const auto order = [] {
        std::vector<Control> out;
        forEachNamed([&](Control c, const std::string&) { out.push_back(c); });
        return out;
    }();
    return order;
}

std::string whereOf(Control c)
{
    for (const Section& s : sectionTable) {
        for (std::size_t i = 0; i < s.rows.size(); ++i)
            if (s.rows[i].list == c)
                return std::string(s.name) + " row " + std::to_string(i + 1);
        if (s.clear == c)
            return std::string(s.name) + " Clear";
    }
    if (c == supplyRow.list)
        return "Combat supplies row";
    if (c == formWindow)
        return "The plan as opened, saved before breakdowns were kept";
    const std::string& name = nameOf(c);
    return name.empty() ? std::string(declOf(c).name) : name;
}

std::optional<std::string> overCapacityNote(Control figure, double value)
{
    const Figure* f = figureOf(figure);
    if (!f || !f->capacity() || value >= 0)
        return std::nullopt;
    return "Over capacity by " + formatNumber(-value) + ' ' + std::string(f->overUnit.of(-value));
}

std::string figureSaying(Control figure, double value)
{
    const Figure* f = figureOf(figure);
    if (!f)
        return {};
    std::string out = std::string(f->meaning) + ": " + formatNumber(value) + ' ' + std::string(f->counts.of(value));
    if (auto over = overCapacityNote(figure, value)) {
        (*over)[0] = static_cast<char>(std::tolower(static_cast<unsigned char>((*over)[0])));
        out += ", " + *over;
    }
    return out;
}

} // namespace sections
