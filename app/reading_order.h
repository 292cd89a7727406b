// How the worksheet reads to a keyboard or screen-reader user: each visible
// control's accessible name, the notes its tooltip gives, and the order Tab
// walks them in.
#pragma once

#include "worksheet/form.h"

#include <QString>

#include <optional>
#include <vector>

// A name that says what the control is, such as "Trucks, row 1, count" or
// "You can carry, squads"; empty where the caption says it already.
const QString& accessibleNameOf(worksheet::Control c);

// What a button does where its caption does not say it all: what each Clear
// clears; empty for the others.
QString buttonNoteOf(worksheet::Control c);
// What enables a list while it is disabled; empty for a list that is never.
QString disabledNoteOf(worksheet::Control c);
// Text typed into a list is not counted: says so, and what to do instead.
QString uncountedNoteOf(worksheet::Control c);

// Header, mission type, then each section's rows, left to right and top to
// bottom (each row's check box, count and list), then the section's Clear.
std::vector<worksheet::Control> readingOrder();

// A tally of what can still be carried or towed. Below zero, the transport is
// overcommitted; this says by how much ("Over capacity by 2048 pounds").
std::optional<QString> overCapacityNote(worksheet::Control c, double value);
