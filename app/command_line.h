// The program without its window, for scripts and mission packets: a plan's
// summary, two plans compared, a plan's page as a PDF file or on the printer.
#pragma once

#include <QString>

#include <optional>

class QCoreApplication;

// Runs what the command line asks for when it asks for more than a window
// (--summary, --compare, --export-pdf, --print, and --help and --version),
// and returns the exit status: 0 done (for --compare: the figures are the
// same), 1 the compared figures differ, 2 a file that is no plan or a page
// that could not be written. Nothing when the window is wanted.
std::optional<int> runCommandLine(int argc, char** argv);

// The plan the window is to open at start, if one is named; an unknown
// option is reported here, before the window opens.
QString planToOpen(QCoreApplication& app);

// Whether a display is set (or a Qt platform named) for a window to open on.
bool hasDisplay();
