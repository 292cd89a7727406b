#include "sheet.h"

#include "number.h"
#include "shell.h"

#include <cmath>

namespace worksheet {

Sheet::Sheet(Host& host, std::span<const Route> routes) : host_(host), isChanged_(controlCount, false)
{
    state_.reserve(controlCount);
    for (const auto& decl : form)
        state_.push_back({std::string(decl.text), decl.visible, decl.enabled, false, {}});
    for (const auto& route : routes) {
        auto& slot = route.event == Event::Change ? onChange_ : onClick_;
        slot[route.control.index] = &route;
    }
    formLoad(*this);
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

template <class Action> void Sheet::transaction(Action&& action)
{
    // A modal message lets the toolkit deliver events while a handler waits;
    // the worksheet takes one event at a time.
    if (inEvent_)
        return;
    inEvent_ = true;
    journal_.clear();
    forgetChanges();
    try {
        action();
    } catch (const NumberOverflow&) {
        for (auto it = journal_.rbegin(); it != journal_.rend(); ++it)
            undo(*it);
        journal_.clear();
        host_.showMessage(numberErrorTitle, numberErrorText);
    }
    inEvent_ = false;
}

void Sheet::userEdit(Control c, std::string_view text)
{
    transaction([&] { setText(c, text); });
}

void Sheet::userPick(Control c, std::size_t item)
{
    transaction([&] {
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
    const Route* route = (e == Event::Change ? onChange_ : onClick_)[c.index];
    if (route)
        route->handler(*this, route->row);
}

void Sheet::record(Control c, Field f)
{
    const auto& s = state_[c.index];
    Undo u{c, f, false, {}, {}};
    switch (f) {
    case Field::Text: u.text = s.text; break;
    case Field::Visible: u.flag = s.visible; break;
    case Field::Enabled: u.flag = s.enabled; break;
    case Field::Checked: u.flag = s.checked; break;
    case Field::Items: u.items = s.items; break;
    }
    journal_.push_back(std::move(u));
    if (!isChanged_[c.index]) {
        isChanged_[c.index] = true;
        changed_.push_back(c);
    }
}

void Sheet::undo(const Undo& u)
{
    auto& s = state_[u.control.index];
    switch (u.field) {
    case Field::Text: s.text = u.text; break;
    case Field::Visible: s.visible = u.flag; break;
    case Field::Enabled: s.enabled = u.flag; break;
    case Field::Checked: s.checked = u.flag; break;
    case Field::Items: s.items = u.items; break;
    }
}

void Sheet::restoreLabels(Mark since)
{
    for (auto i = journal_.size(); i > since; --i) {
        const Undo& u = journal_[i - 1];
        if (u.field == Field::Text && declOf(u.control).kind == Kind::Label)
            undo(u);
    }
}

void Sheet::setText(Control c, std::string_view text)
{
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
    record(c, Field::Items);
    state_[c.index].items = items;
}

} // namespace worksheet
