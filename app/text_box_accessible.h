#pragma once

// What a screen reader reads of every one-line text box (a count box, a
// header box, a list's field): Qt's own account of a line edit gives each
// character a run of attributes of its own, empty at the end, and Orca
// then leaves the last character unread ("2" as nothing, "Hill" as "Hil").
// Here the whole text is one run. Installed once, before any box is made.
void describeTextBoxesToScreenReaders();
