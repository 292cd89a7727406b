#include "sheet_state.h"

#include "number.h"
#include "rows.h"

#include <algorithm>
#include <cmath>

namespace worksheet {

std::string_view trimmed(std::string_view t)
{
    const auto first = t.find_first_not_of(" \t");
    return first == std::string_view::npos ? std::string_view{}
                                           : t.substr(first, t.find_last_not_of(" \t") - first + 1);
}

std::string describedPick(std::string_view count, std::string_view kind)
{
    std::string out(trimmed(count));
    out += " \u00d7 ";
    out += kind;
    return out;
}

namespace {

bool isRowList(Control list)
{
    const auto in = [&](std::span<const Row> rows) {
        return std::any_of(rows.begin(), rows.end(), [&](const Row& r) { return r.list == list; });
    };
    return in(truckRows) || in(apcRows) || in(armourRows) || in(otherVehicleRows) || in(infantryRows) ||
           in(weaponRows) || in(towedRows) || supplyRow.list == list;
}

std::string whyNotLedger(const SheetState& state)
{
    for (auto row = state.counted.begin(); row != state.counted.end(); ++row) {
        if (row->list.index >= controlCount || !isRowList(row->list))
            return "picks are counted on a control that is no row's list";
        const std::string name(form[row->list.index].name);
        if (row != state.counted.begin() && !(std::prev(row)->list.index < row->list.index))
            return name + "'s picks are out of order or given twice";
        if (row->picks.empty())
            return name + " has an empty list of picks";
        const auto items = itemsOf(form[row->list.index].items);
        for (const CountedPick& p : row->picks)
            if (std::find(items.begin(), items.end(), p.kind) == items.end())
                return name + " has a pick of a kind it does not have";
    }
    for (std::size_t f = 0; f < state.ledger.size(); ++f) {
        const std::string figure(form[figures[f].control.index].name);
        const auto& entries = state.ledger[f];
        for (auto e = entries.begin(); e != entries.end(); ++e) {
            if (e->control.index >= controlCount)
                return figure + "'s breakdown names no control of the worksheet";
            const std::string name(form[e->control.index].name);
            if (!std::isfinite(e->amount) || e->amount == 0)
                return figure + "'s breakdown gives " + name + " a share that is 0 or no number";
            if (std::any_of(entries.begin(), e, [&](const LedgerEntry& o) { return o.control == e->control; }))
                return figure + "'s breakdown names " + name + " twice";
            if (isRowList(e->control) &&
                std::none_of(state.counted.begin(), state.counted.end(),
                             [&](const RowPicks& row) { return row.list == e->control; }))
                return figure + "'s breakdown credits " + name + ", which has no pick counted";
        }
        const std::string& shown = state.controls[figures[f].control.index].text;
        if (!addsUp(parseNumber(shown), entries)) {
            double sum = 0;
            for (const LedgerEntry& e : entries)
                sum += e.amount;
            return figure + " shows " + std::string(trimmed(shown).empty() ? "nothing" : trimmed(shown)) +
                   " but its breakdown adds up to " + formatNumber(sum);
        }
    }
    return {};
}

} // namespace

std::string whyNot(const SheetState& state)
{
    if (state.controls.size() != controlCount)
        return "it holds " + std::to_string(state.controls.size()) + " controls, not the worksheet's " +
               std::to_string(controlCount);
    for (std::size_t i = 0; i < controlCount; ++i) {
        const ControlDecl& d = form[i];
        const ControlValues& v = state.controls[i];
        const std::string name(d.name);
        bool textFits = true;
        switch (d.kind) {
        case Kind::Label: textFits = v.text == d.text || v.text == " " || isWrittenNumber(v.text); break;
        case Kind::TextBox:
        case Kind::List: break;
        case Kind::Window:
        case Kind::CheckBox:
        case Kind::Button:
        case Kind::Line:
        case Kind::Shape: textFits = v.text == d.text; break;
        }
        if (!textFits)
            return name + " cannot show that text";
        if (v.checked && d.kind != Kind::CheckBox)
            return name + " is no check box to be ticked";
        if (v.typed && d.kind != Kind::List)
            return name + " is no list to be typed into";
        if (v.visible && d.kind != Kind::Window && d.left >= hiddenPartLeft)
            return name + " belongs to the hidden part and is never shown";
    }
    return whyNotLedger(state);
}

} // namespace worksheet
