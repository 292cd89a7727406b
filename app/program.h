#pragma once

#include <QMainWindow>

class WorksheetWindow;

// What every run of the program sets up before its window: its name, the
// worksheet's font and the style.
void setUpApplication();

// The program's window: the worksheet under a menu bar (File: print at once,
// print with the dialog, export as PDF, quit; Edit: undo, redo; Help:
// keyboard shortcuts, about), with a status line below: the summary's
// figures, and what there is to confirm. Print prints the
// worksheet at once, Exit ends the program, as closing the window does.
class ProgramWindow : public QMainWindow {
    Q_OBJECT

public:
    ProgramWindow();

    WorksheetWindow& worksheet() { return *worksheet_; }

    void print();
    void printWithDialog();
    void exportPdf();
    void showKeyboardShortcuts();
    void showAbout();

private:
    void confirmPdf(const QString& path);

    WorksheetWindow* worksheet_;
};
