#pragma once

#include "worksheet/sheet.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QString>

// A worksheet kept on disk: a plan. The file is UTF-8 text made to be read
// and compared with diff:
//
//     Combat Worksheet plan 2
//     [controls]
//     Form1 "Combat Worksheet" visible enabled
//     Label1 "3" hidden enabled
//     Combo33 "ZIL Medium Truck" visible enabled
//     ...
//     [ledger]
//     Label110 Combo33 4
//     ...
//     [picks]
//     Combo33 "2" "ZIL Medium Truck" "Recon"
//     [end]
//
// The first line names the format and its version. Each section holds one
// kind of the worksheet's state; in [controls], one line a control in the
// form's order: its name, its text in double quotes (with \", \\, \n, \r, \t
// and \xHH for the other control characters and for bytes that are no
// UTF-8), visible or hidden, enabled or disabled, then checked and typed
// where they hold. [ledger] holds each summary figure's breakdown, a line an
// entry: the figure, the control credited and its share; [picks] the picks
// each row has counted, a line a pick: the row's list, the count and the
// kind, then the mission type it was counted under and, on an infantry row,
// "marching" or "riding".
//
// A file read is untrusted: nothing of it reaches a worksheet unless the
// whole of it is a plan that a worksheet could hold, each summary figure
// adding up to its breakdown and each row credited in it having picks
// counted (see worksheet::whyNot). What the file alone cannot prove is left
// unchecked: that a pick's entries are its count times its kind's figures
// (they depend on the mission type and Marching at the pick), and that the
// hidden tallies add up to the figures they feed (after numbers too large
// to add exactly they need not). Lines may end in CR LF and the text may
// start with a byte-order mark, as a Windows editor leaves them; a plan is
// written with LF and no mark.
namespace plan {

// 2: each pick also keeps the mission type and Marching it was counted
// under. Plans of format 1 are read as well.
inline constexpr int formatVersion = 2;
// No real plan comes near this; a larger file is refused before it is read.
inline constexpr qint64 largestPlan = 1 << 20;
// A plan's file name ends in this.
inline constexpr char extension[] = "cwplan";

// A plan read from a file or text: its state, or why it is no plan.
struct Read {
    worksheet::SheetState state;
    QString error;
    bool ok() const { return error.isEmpty(); }
};

QByteArray toText(const worksheet::SheetState& state);
Read fromText(QByteArrayView text);

// Reads the plan at path; the error says what is wrong with the file.
Read read(const QString& path);
// Reads the plan at path into the worksheet, which changes only when the
// whole plan is good; returns what is wrong, else empty.
QString open(worksheet::Sheet& sheet, const QString& path);
// Writes the plan to path whole or not at all: a failed write (a full disk,
// a quota, a failing device) leaves what was there before byte for byte.
// A plan that would not open again is not written. The file replaced keeps
// its mode, owner, group and extended attributes (ACLs among them); through
// a link, the file it leads to is written; what is no ordinary file is not
// replaced. Where the folder takes no new file but the plan may be written,
// it is written in place. Returns the reason for a failure, else empty.
QString write(const worksheet::SheetState& state, const QString& path);

// What a plan's file was when this program last read or wrote it, to tell
// whether another program has changed it since.
struct Stamp {
    bool exists = false;
    qint64 size = 0;
    QDateTime modified;
    QByteArray digest; // of the whole file
    friend bool operator==(const Stamp&, const Stamp&) = default;
};
Stamp stampOf(const QString& path);

// The plan's name as the window title and a suggested PDF show it.
QString nameOf(const QString& path);

// The message box a failed open or save shows.
struct Failure {
    QString title;
    QString text;
};
Failure openFailed(const QString& path, const QString& why);
Failure saveFailed(const QString& path, const QString& why);

} // namespace plan
