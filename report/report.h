// What a worksheet holds, read out whole, and two worksheets compared: the
// summary and the comparison that the window, the command line and the
// scenario runner all show, as text, JSON or a table's cells.
#pragma once

#include "worksheet/host.h"
#include "worksheet/sheet.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <string>
#include <vector>

namespace report {

using worksheet::Control;
using worksheet::LedgerEntry;
using worksheet::Sheet;

// A worksheet with no one to show a message to, for plans read to be
// reported on rather than edited.
class QuietSheet {
public:
    QuietSheet();
    // Reads the plan at path into the worksheet; returns what is wrong with
    // the file, else empty (and the worksheet is as before).
    QString open(const QString& path);
    const Sheet& sheet() const { return sheet_; }
    Sheet& sheet() { return sheet_; }

private:
    worksheet::NoHost host_;
    Sheet sheet_;
};

// A figure's entries in the worksheet's reading order: the rows first, then
// the Clears and the supply calculation.
std::vector<LedgerEntry> entriesInOrder(const Sheet& sheet, Control figure);

// An entry as the breakdown lists it: "Trucks row 1, 2 × ZIL Medium Truck
// +4", with what the row's mark says or how often it was counted.
std::string entryText(const Sheet& sheet, const LedgerEntry& entry);

// A row of a section, or the combat supplies row, as it reads.
struct RowReading {
    Control list;
    std::string where; // "Trucks row 1"
    std::string count; // the count box's text, without its outer blanks
    std::string kind;
    std::optional<bool> marching; // infantry rows only
    std::string counted; // what its picks counted, as the breakdown writes them
    std::optional<std::string> mark; // why it reads differently from what it counts
    bool blank() const { return count.empty() && kind.empty() && counted.empty() && !marching.value_or(false); }
    // "2 × ZIL Medium Truck", "blank", with Marching and what was counted
    // where that differs.
    std::string text() const;
};
// Every row, in the worksheet's order, the combat supplies row last.
std::vector<RowReading> rowsOf(const Sheet& sheet);

// The five figures, one a line as a screen reader hears them, each with its
// breakdown entries beneath, indented; then the row marks.
std::string summaryText(const Sheet& sheet);
// The same as one JSON object: the plan's name, the mission type, the
// figures by their control's name (text, value, saying, breakdown) and the
// rows that are not blank (count, kind, counted, mark).
QByteArray summaryJson(const Sheet& sheet, const QString& plan);

// Two worksheets compared, the first against the second.
struct Comparison {
    struct Figure {
        Control figure;
        double first, second;
        std::string firstText, secondText; // "4 squads", marked below zero
        std::string difference; // "+3", "-2" or "the same"
    };
    // A header field, the mission type or a row that differs.
    struct Line {
        Control control; // the row's list, or the field
        std::string what; // "Mission type", "Trucks row 2"
        std::string first, second;
    };
    // A breakdown entry that differs: a figure's share from one control.
    struct Entry {
        Control figure, source;
        std::string what; // "You can carry, Trucks row 2"
        std::string first, second, difference; // "+4", "none", "+3"
    };
    std::vector<Figure> figures; // all five
    std::vector<Line> fields;
    std::vector<Line> rows;
    std::size_t rowsTheSame = 0; // rows filled in and the same in both
    std::vector<Entry> entries;
    bool figuresDiffer() const;
};
Comparison compare(const Sheet& first, const Sheet& second);

// "3 rows the same in both are left out", or empty.
std::string sameRowsNote(const Comparison& c);
std::string comparisonText(const Comparison& c, const QString& first, const QString& second);
QByteArray comparisonJson(const Comparison& c, const QString& first, const QString& second);

} // namespace report
