// How the worksheet reads to a keyboard or screen-reader user: each visible
// control's accessible name, the notes its tooltip gives, and the order Tab
// walks them in.
#pragma once

#include "worksheet/form.h"

#include <QString>

#include <optional>
#include <span>
#include <vector>

// A name that says what the control is, such as "Trucks, row 1, count";
// empty where the caption says it already. A summary figure's says what it
// stands for ("You can carry"); figureNameOf gives it with its number.
const QString& accessibleNameOf(worksheet::Control c);

// What a button does where its caption does not say it all: what each Clear
// clears; empty for the others.
QString buttonNoteOf(worksheet::Control c);
// What enables a list while it is disabled; empty for a list that is never.
QString disabledNoteOf(worksheet::Control c);
// Text typed into a list is not counted: says so, and what to do instead.
QString uncountedNoteOf(worksheet::Control c);

// Header, mission type, then each section's rows, left to right and top to
// bottom (each row's check box, count and list), then the section's Clear;
// last the summary's figures.
std::vector<worksheet::Control> readingOrder();

// A summary figure as it is read out, with its number and, below zero, by
// how much the transport is overcommitted: "You can carry: -2 squads, over
// capacity by 2 squads". Empty for other controls.
QString figureNameOf(worksheet::Control c, double value);

// A caption and the control it names, such as "Number" and the count box
// beside it; a screen reader reads the caption with its control.
struct Caption {
    worksheet::Control caption;
    worksheet::Control of;
};
std::span<const Caption> captions();

// The worksheet's parts, each read as one named group: each section with
// its heading, rows and Clear, the summary, and the close air support note
// with the combat supplies row; the header belongs to none.
struct Group {
    QString name;
    std::vector<worksheet::Control> members;
};
std::vector<Group> groups();

// A tally of what can still be carried or towed. Below zero, the transport is
// overcommitted; this says by how much ("Over capacity by 2048 pounds").
std::optional<QString> overCapacityNote(worksheet::Control c, double value);
