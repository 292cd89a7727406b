#pragma once

#include "report/report.h"

#include <QDialog>

#include <functional>

struct Page;
class QLabel;
class QTableWidget;

// Two courses of action side by side: the worksheet as it is now (the
// first) against a saved plan (the second). A table lists the five figures
// of both with their differences, then the header fields and rows that
// differ, then the breakdown entries that differ; a note counts the rows
// left out for being the same. It follows the worksheet while open. Enter or
// a double click on a field's or row's line emits chosen with its control;
// the buttons print the comparison or save it as a PDF file, on one page
// with both plans' names.
class ComparisonWindow : public QDialog {
    Q_OBJECT

public:
    ComparisonWindow(QWidget* parent, const worksheet::Sheet& sheet);

    // Compares the worksheet with the plan at path; returns what is wrong
    // with the file, else empty (and the window shows the comparison).
    QString compareWith(const QString& path);
    // Compares two plans, neither of them the worksheet; returns what is
    // wrong with the file at fault, naming it, else empty.
    QString compareFiles(const QString& first, const QString& second);
    // The worksheet's own name, as the title shows it (while the first is
    // the worksheet).
    void setWorksheetName(const QString& name);
    void refresh();

    QTableWidget& table() const { return *table_; }
    // The comparison as text, as --compare prints it.
    std::string asText() const;

signals:
    void chosen(worksheet::Control control);

private:
    void print();
    void exportPdf();
    QString html() const;
    // The comparison on one page, drawn smaller when it is longer.
    Page page() const;

    const worksheet::Sheet& worksheet_;
    const worksheet::Sheet* first_; // the worksheet, or firstPlan_
    report::QuietSheet firstPlan_, other_;
    QString sheetName_, otherName_;
    report::Comparison comparison_;
    QLabel* heading_;
    QTableWidget* table_;
    QLabel* note_;
};
