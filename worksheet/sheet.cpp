#include "sheet.h"

#include "ledger.h"
#include "number.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace worksheet {


Sheet::Sheet(Host& host, std::span<const Route> routes)
    : host_(host), isChanged_(controlCount, false), counted_(controlCount)
{
    for (auto& entries : ledger_)
        entries = std::make_shared<const std::vector<LedgerEntry>>();
    state_.reserve(controlCount);
    for (const auto& decl : form)
        state_.push_back({std::string(decl.text), decl.visible, decl.enabled, false, false, {}});
    for (const auto& route : routes)
        routeOf_[static_cast<std::size_t>(route.event)][route.control.index] = &route;
    raise(formWindow, Event::Load);
    // Start-up is part of creating the worksheet, not an event to take back.
    journal_.clear();
    forgetChanges();
}

void Sheet::forgetChanges()
{
    for (Control c : changed_)
        isChanged_[c.index] = false;
    changed_.clear();
}

double Sheet::number(Control c) const
{
    return parseNumber(text(c));
}

template <class Action> void Sheet::transaction(Control source, Action&& action, std::optional<Control> typedInto)
{
    // A modal message lets the toolkit deliver events while a handler waits;
    // the worksheet takes one event at a time.
    if (inEvent_)
        return;
    inEvent_ = true;
    // However the event ends, the worksheet takes the next one.
    struct EventEnds {
        bool& inEvent;
        ~EventEnds() { inEvent = false; }
    } ends{inEvent_};
    journal_.clear();
    forgetChanges();
    picked_.reset();
    refused_ = false;
    refusals_.clear();
    const Figures before = figures();
    try {
        action();
    } catch (const NumberOverflow&) {
        rollBack();
        refusals_.clear();
        message(messages::numberError);
        return;
    } catch (...) {
        // A fault in a handler: the worksheet is put back as it was and the
        // fault goes on to the caller, which alone can tell about it.
        rollBack();
        refusals_.clear();
        throw;
    }
    if (!refused_)
        credit(source, before);
    remember(typedInto);
    // Told now, the user sees the worksheet as the refusal leaves it.
    for (const auto& [m, detail] : std::exchange(refusals_, {}))
        message(m, detail);
}

Sheet::Figures Sheet::figures() const
{
    Figures out{};
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = number(worksheet::figures[i].control);
    return out;
}


void Sheet::credit(Control source, const Figures& before)
{
    const Route* click = routeOf_[static_cast<std::size_t>(Event::Click)][source.index];
    const std::span<const Row> emptied[] = {click && !picked_ ? click->empties : std::span<const Row>{},
                                            click && !picked_ ? click->alsoEmpties : std::span<const Row>{}};
    if (picked_ && click && click->counts) {
        record(source, Field::Counted);
        counted_[source.index] = counted_[source.index].added(std::move(*picked_));
    }
    // A Clear's rows count nothing more.
    for (std::span<const Row> rows : emptied)
        for (const Row& row : rows)
            if (!counted_[row.list.index].empty()) {
                record(row.list, Field::Counted);
                counted_[row.list.index] = {};
            }

    const Figures now = figures();
    for (std::size_t i = 0; i < ledger_.size(); ++i) {
        double change = now[i] - before[i];
        const bool clears = !emptied[0].empty() || !emptied[1].empty();
        if (change == 0 && !clears)
            continue;
        std::vector<LedgerEntry> entries = *ledger_[i];
        // What the Clear's rows' entries held is part of its change, and the
        // rest is the Clear's own.
        for (std::span<const Row> rows : emptied)
            for (const Row& row : rows)
                if (const auto of = std::find_if(entries.begin(), entries.end(),
                                                 [&](const LedgerEntry& e) { return e.control == row.list; });
                    of != entries.end()) {
                    change += of->amount;
                    entries.erase(of);
                }
        settleEntry(entries, source, now[i], change);
        if (entries != *ledger_[i]) {
            record(worksheet::figures[i].control, Field::Ledger);
            ledger_[i] = std::make_shared<const std::vector<LedgerEntry>>(std::move(entries));
        }
    }
}

std::span<const LedgerEntry> Sheet::ledger(Control figure) const
{
    const auto i = figureIndex(figure);
    return i ? std::span<const LedgerEntry>(*ledger_[*i]) : std::span<const LedgerEntry>{};
}

std::vector<CountedPick> Sheet::countedPicks(Control list) const
{
    return counted_[list.index].picks();
}

std::size_t Sheet::countedPickCount(Control list) const
{
    return counted_[list.index].size();
}

std::string Sheet::countedText(Control list) const
{
    return counted_[list.index].text();
}

const Row* Sheet::rowOf(Control list) const
{
    const Route* click = routeOf_[static_cast<std::size_t>(Event::Click)][list.index];
    return click ? click->counts : nullptr;
}

void Sheet::rollBack()
{
    for (auto it = journal_.rbegin(); it != journal_.rend(); ++it)
        put(it->control, it->field, it->old);
    journal_.clear();
}

void Sheet::remember(std::optional<Control> typedInto)
{
    std::vector<Change> changes;
    for (const Write& w : journal_) {
        const auto same = [&](const Change& c) { return c.of(w.control, w.field); };
        if (std::find_if(changes.begin(), changes.end(), same) == changes.end())
            changes.push_back({w.control, w.field, w.old, {}});
    }
    for (Change& c : changes)
        c.after = valueOf(c.control, c.field);
    std::erase_if(changes, [](const Change& c) { return c.before == c.after; });
    history_.add(std::move(changes), typedInto);
}

bool Sheet::undo()
{
    const std::vector<Change>* changes = inEvent_ ? nullptr : history_.undo();
    if (!changes)
        return false;
    forgetChanges();
    for (auto it = changes->rbegin(); it != changes->rend(); ++it)
        put(it->control, it->field, it->before);
    return true;
}

bool Sheet::redo()
{
    const std::vector<Change>* changes = inEvent_ ? nullptr : history_.redo();
    if (!changes)
        return false;
    forgetChanges();
    for (const Change& c : *changes)
        put(c.control, c.field, c.after);
    return true;
}

void Sheet::userEdit(Control c, std::string_view text)
{
    transaction(
        c,
        [&] {
            setText(c, text);
            if (declOf(c).kind == Kind::List)
                setTyped(c, true);
        },
        c);
}

void Sheet::userPick(Control c, std::size_t item)
{
    transaction(c, [&] {
        // An item the list does not have is no pick.
        if (item >= items(c).size())
            return;
        setText(c, items(c)[item]);
        if (const Row* row = rowOf(c))
            picked_ = CountedPick{text(row->count), text(c), text(missionType),
                                  row->marching ? std::optional(checked(*row->marching)) : std::nullopt};
        raise(c, Event::Click);
    });
}

void Sheet::userPress(Control c)
{
    transaction(c, [&] { raise(c, Event::Click); });
}

void Sheet::userTick(Control c)
{
    transaction(c, [&] { setChecked(c, !checked(c)); });
}

void Sheet::raise(Control c, Event e)
{
    const Route* route = routeOf_[static_cast<std::size_t>(e)][c.index];
    if (route)
        route->handler(*this, route->row);
}

void Sheet::record(Control c, Field f)
{
    journal_.push_back({c, f, valueOf(c, f)});
    markChanged(c);
}

void Sheet::markChanged(Control c)
{
    if (!isChanged_[c.index]) {
        isChanged_[c.index] = true;
        changed_.push_back(c);
    }
}

FieldValue Sheet::valueOf(Control c, Field f) const
{
    const auto& s = state_[c.index];
    switch (f) {
    case Field::Text: return {s.text};
    case Field::Visible: return {{}, s.visible};
    case Field::Enabled: return {{}, s.enabled};
    case Field::Checked: return {{}, s.checked};
    case Field::Typed: return {{}, s.typed};
    case Field::Ledger: return {{}, false, ledger_[*figureIndex(c)]};
    case Field::Counted: return {{}, false, {}, counted_[c.index]};
    }
    return {};
}

void Sheet::put(Control c, Field f, const FieldValue& v)
{
    auto& s = state_[c.index];
    switch (f) {
    case Field::Text: s.text = v.text; break;
    case Field::Visible: s.visible = v.flag; break;
    case Field::Enabled: s.enabled = v.flag; break;
    case Field::Checked: s.checked = v.flag; break;
    case Field::Typed: s.typed = v.flag; break;
    case Field::Ledger: ledger_[*figureIndex(c)] = v.entries; break;
    case Field::Counted: counted_[c.index] = v.picks; break;
    }
    markChanged(c);
}

void Sheet::refuse(const Message& m, std::string detail, EventPoint since)
{
    refused_ = true;
    // The captions go back; texts, lists and states stay as they are.
    for (auto i = journal_.size(); i > since; --i) {
        const Write& w = journal_[i - 1];
        if (w.field == Field::Text && declOf(w.control).kind == Kind::Label)
            put(w.control, w.field, w.old);
    }
    refusals_.emplace_back(m, std::move(detail));
}

SheetState Sheet::state() const
{
    SheetState out;
    out.controls.reserve(controlCount);
    for (const ControlState& s : state_)
        out.controls.push_back({s.text, s.visible, s.enabled, s.checked, s.typed});
    for (std::size_t i = 0; i < ledger_.size(); ++i)
        out.ledger[i] = *ledger_[i];
    for (std::uint16_t i = 0; i < controlCount; ++i)
        if (!counted_[i].empty())
            out.counted.push_back({Control{i}, counted_[i].picks()});
    return out;
}

bool Sheet::holds(const SheetState& state) const
{
    return this->state() == state;
}

std::string Sheet::restore(const SheetState& state)
{
    if (inEvent_)
        return "the worksheet is in the middle of an event";
    if (std::string why = whyNot(state); !why.empty())
        return why;
    forgetChanges();
    for (std::uint16_t i = 0; i < controlCount; ++i) {
        const ControlValues& v = state.controls[i];
        ControlState& s = state_[i];
        s.text = v.text;
        s.visible = v.visible;
        s.enabled = v.enabled;
        s.checked = v.checked;
        s.typed = v.typed;
        markChanged(Control{i});
    }
    for (std::size_t i = 0; i < ledger_.size(); ++i)
        ledger_[i] = std::make_shared<const std::vector<LedgerEntry>>(state.ledger[i]);
    std::fill(counted_.begin(), counted_.end(), PickList{});
    for (const RowPicks& row : state.counted)
        for (const CountedPick& pick : row.picks)
            counted_[row.list.index] = counted_[row.list.index].added(pick);
    journal_.clear();
    history_.clear();
    return {};
}

void Sheet::setText(Control c, std::string_view text)
{
    // Whatever writes a list's text but the user's typing counts it (a pick)
    // or blanks it (a Clear, a refusal): either way it is typed no more.
    setTyped(c, false);
    auto& s = state_[c.index];
    if (s.text == text)
        return;
    record(c, Field::Text);
    s.text = text;
    if (declOf(c).kind == Kind::TextBox)
        raise(c, Event::Change);
}

void Sheet::setNumber(Control c, double value)
{
    if (!std::isfinite(value))
        throw NumberOverflow();
    setText(c, formatNumber(value));
}

void Sheet::setTyped(Control c, bool typed)
{
    if (state_[c.index].typed == typed)
        return;
    record(c, Field::Typed);
    state_[c.index].typed = typed;
}

void Sheet::setEnabled(Control c, bool enabled)
{
    if (state_[c.index].enabled == enabled)
        return;
    record(c, Field::Enabled);
    state_[c.index].enabled = enabled;
}

void Sheet::setVisible(Control c, bool visible)
{
    if (state_[c.index].visible == visible)
        return;
    record(c, Field::Visible);
    state_[c.index].visible = visible;
}

void Sheet::setChecked(Control c, bool checked)
{
    if (state_[c.index].checked == checked)
        return;
    record(c, Field::Checked);
    state_[c.index].checked = checked;
    raise(c, Event::Click);
}

void Sheet::setItems(Control c, std::span<const std::string_view> items)
{
    state_[c.index].items = items;
}

} // namespace worksheet
