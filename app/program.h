#pragma once

#include "plan/plan.h"
#include "worksheet/sheet.h"

#include <QMainWindow>

#include <functional>

struct Printed;
class ComparisonWindow;
class QMenu;
class WorksheetWindow;

// What every run of the program sets up before its window: its name, the
// worksheet's font and the style.
void setUpApplication();

// A message handler that leaves out the offscreen platform's notes on what it
// cannot do ("This plugin does not support ..."), which say nothing wrong.
void quietOffscreenNotes(QtMsgType type, const QMessageLogContext& context, const QString& message);

// The program's window: the worksheet under a menu bar (File: new, open,
// open recent, save, save as, print at once, print with the dialog, export
// as PDF, quit; Edit: undo, redo; Help: keyboard shortcuts, about), with a
// status line below: the summary's figures, and what there is to confirm.
// The worksheet is a document, a plan: the title names it and marks unsaved
// changes, and Exit, Quit and closing the window ask whether to save them
// first.
class ProgramWindow : public QMainWindow {
    Q_OBJECT

public:
    ProgramWindow();

    WorksheetWindow& worksheet() { return *worksheet_; }
    // The file of the plan on screen; empty for a plan never saved.
    const QString& planFile() const { return planFile_; }

    void startNew();
    void open();
    // Opens the plan at path, when the worksheet's unsaved changes (if any)
    // have been saved or may go; a file that cannot be opened is reported
    // and leaves the worksheet as it was. Returns whether it was opened.
    bool openFile(const QString& path);
    bool save();
    bool saveAs();
    void print();
    void printWithDialog();
    void exportPdf();
    // Compare With: chooses a plan and shows the worksheet against it in the
    // comparison window, which follows the worksheet; compareWithFile does
    // so with the plan at path, reporting a file that is no plan.
    void compareWith();
    bool compareWithFile(const QString& path);
    // Compare Two Plans: the same for two plans chosen together, neither of
    // them the worksheet.
    void compareTwoPlans();
    bool compareFiles(const QString& first, const QString& second);
    ComparisonWindow* comparison() const { return comparison_; }
    void showKeyboardShortcuts();
    void showAbout();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool load(const QString& path);
    bool saveTo(const QString& path);
    // Whether the worksheet may be replaced or closed: nothing unsaved, or
    // the user saved it or let it go.
    bool mayLeave();
    bool modified() const;
    void showModified();
    void planChanged(const QString& path);
    void fillRecentMenu();
    QString lastFolder() const;
    QString suggestedPdf() const;
    // The plan's name, or "This worksheet" for one never saved.
    QString worksheetName() const;
    ComparisonWindow& comparisonWindow(); // made at its first use
    void showComparison();
    void confirm(const Printed& printed);
    void confirm(const QString& text);

    WorksheetWindow* worksheet_;
    QMenu* recent_ = nullptr;
    ComparisonWindow* comparison_ = nullptr;
    QString planFile_;
    // The worksheet as last saved, opened or started.
    worksheet::SheetState saved_;
    plan::Stamp stamp_; // the plan's file as last opened or saved here
};
