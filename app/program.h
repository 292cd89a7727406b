#pragma once

class WorksheetWindow;

// Makes the window the program: Print prints it, Exit ends the program at
// once, as closing the window does.
void runAsProgram(WorksheetWindow& window);
