#include "sheet.h"

#include "number.h"

#include <algorithm>
#include <cmath>

namespace worksheet {

Sheet::Sheet(Host& host, std::span<const Route> routes) : host_(host), isChanged_(controlCount, false)
{
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

template <class Action> void Sheet::transaction(Action&& action, std::optional<Control> typedInto)
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
    try {
        action();
    } catch (const NumberOverflow&) {
        rollBack();
        message(messages::numberError);
        return;
    } catch (...) {
        // A fault in a handler: the worksheet is put back as it was and the
        // fault goes on to the caller, which alone can tell about it.
        rollBack();
        throw;
    }
    remember(typedInto);
}

void Sheet::rollBack()
{
    for (auto it = journal_.rbegin(); it != journal_.rend(); ++it)
        put(it->control, it->field, it->old);
    journal_.clear();
}

void Sheet::remember(std::optional<Control> typedInto)
{
    Step step{typedInto, {}};
    for (const Entry& e : journal_) {
        const auto same = [&](const Change& c) { return c.control == e.control && c.field == e.field; };
        if (std::find_if(step.changes.begin(), step.changes.end(), same) == step.changes.end())
            step.changes.push_back({e.control, e.field, e.old, {}});
    }
    for (Change& c : step.changes)
        c.after = valueOf(c.control, c.field);
    std::erase_if(step.changes,
                  [](const Change& c) { return c.before.text == c.after.text && c.before.flag == c.after.flag; });
    if (step.changes.empty())
        return;

    history_.resize(history_.size() - undone_);
    undone_ = 0;
    const bool merge = typedInto && mayMergeTyping_ && !history_.empty() && history_.back().typedInto == typedInto;
    mayMergeTyping_ = typedInto.has_value();
    if (!merge) {
        if (history_.size() == historyLimit)
            history_.erase(history_.begin());
        history_.push_back(std::move(step));
        return;
    }
    auto& earlier = history_.back().changes;
    for (Change& c : step.changes) {
        const auto same = [&](const Change& o) { return o.control == c.control && o.field == c.field; };
        if (auto it = std::find_if(earlier.begin(), earlier.end(), same); it != earlier.end())
            it->after = std::move(c.after);
        else
            earlier.push_back(std::move(c));
    }
}

bool Sheet::undo()
{
    if (inEvent_ || !canUndo())
        return false;
    forgetChanges();
    const Step& step = history_[history_.size() - 1 - undone_];
    for (auto it = step.changes.rbegin(); it != step.changes.rend(); ++it)
        put(it->control, it->field, it->before);
    ++undone_;
    mayMergeTyping_ = false;
    return true;
}

bool Sheet::redo()
{
    if (inEvent_ || !canRedo())
        return false;
    forgetChanges();
    const Step& step = history_[history_.size() - undone_];
    for (const Change& c : step.changes)
        put(c.control, c.field, c.after);
    --undone_;
    return true;
}

void Sheet::userEdit(Control c, std::string_view text)
{
    transaction(
        [&] {
            setText(c, text);
            if (declOf(c).kind == Kind::List)
                setTyped(c, true);
        },
        c);
}

void Sheet::userPick(Control c, std::size_t item)
{
    transaction([&] {
        // An item the list does not have is no pick.
        if (item >= items(c).size())
            return;
        setText(c, items(c)[item]);
        raise(c, Event::Click);
    });
}

void Sheet::userPress(Control c)
{
    transaction([&] { raise(c, Event::Click); });
}

void Sheet::userTick(Control c)
{
    transaction([&] { setChecked(c, !checked(c)); });
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

Sheet::Value Sheet::valueOf(Control c, Field f) const
{
    const auto& s = state_[c.index];
    switch (f) {
    case Field::Text: return {s.text};
    case Field::Visible: return {{}, s.visible};
    case Field::Enabled: return {{}, s.enabled};
    case Field::Checked: return {{}, s.checked};
    case Field::Typed: return {{}, s.typed};
    }
    return {};
}

void Sheet::put(Control c, Field f, const Value& v)
{
    auto& s = state_[c.index];
    switch (f) {
    case Field::Text: s.text = v.text; break;
    case Field::Visible: s.visible = v.flag; break;
    case Field::Enabled: s.enabled = v.flag; break;
    case Field::Checked: s.checked = v.flag; break;
    case Field::Typed: s.typed = v.flag; break;
    }
    markChanged(c);
}

void Sheet::restoreLabels(Mark since)
{
    for (auto i = journal_.size(); i > since; --i) {
        const Entry& e = journal_[i - 1];
        if (e.field == Field::Text && declOf(e.control).kind == Kind::Label)
            put(e.control, e.field, e.old);
    }
}

SheetState Sheet::state() const
{
    SheetState out;
    out.controls.reserve(controlCount);
    for (const ControlState& s : state_)
        out.controls.push_back({s.text, s.visible, s.enabled, s.checked, s.typed});
    return out;
}

bool Sheet::holds(const SheetState& state) const
{
    if (state.controls.size() != controlCount)
        return false;
    for (std::size_t i = 0; i < controlCount; ++i) {
        const ControlState& s = state_[i];
        if (state.controls[i] != ControlValues{s.text, s.visible, s.enabled, s.checked, s.typed})
            return false;
    }
    return true;
}

std::string Sheet::whyNot(const SheetState& state)
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
    return {};
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
    journal_.clear();
    history_.clear();
    undone_ = 0;
    mayMergeTyping_ = false;
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
