#pragma once

#include "worksheet/row_marks.h"
#include "worksheet/sheet.h"

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

struct ShownMessage {
    std::string title;
    std::string text;
    std::string detail = {}; // the line beneath the text, if any
};

// What a scenario drives: the headless core, or the real window. Each user
// step is given as the user would make it; the state is read back as the user
// would see it.
class Backend {
public:
    virtual ~Backend() = default;

    virtual void restart() = 0;
    virtual const worksheet::Sheet& sheet() const = 0;

    // Types text at the end of the field, one character (one change) at a time.
    virtual void type(worksheet::Control c, std::string_view text) = 0;
    // Replaces the whole text at once.
    virtual void paste(worksheet::Control c, std::string_view text) = 0;
    virtual void erase(worksheet::Control c) = 0;
    virtual void pick(worksheet::Control c, std::size_t item) = 0;
    virtual void press(worksheet::Control c) = 0;
    virtual void tick(worksheet::Control c) = 0;
    // Ctrl+Z and Ctrl+Shift+Z.
    virtual void undo() = 0;
    virtual void redo() = 0;
    // Saves the worksheet as a plan, or opens one in its place; a failure
    // shows its message.
    virtual void save(const std::string& path) = 0;
    virtual void open(const std::string& path) = 0;

    virtual std::string caption(worksheet::Control c) const = 0;
    virtual bool enabled(worksheet::Control c) const = 0;
    virtual bool visible(worksheet::Control c) const = 0;
    virtual bool checked(worksheet::Control c) const = 0;
    virtual std::vector<std::string> items(worksheet::Control c) const = 0;
    // What a row's mark says of the row's list, or "" for none (the core's,
    // or the window's as it shows it).
    virtual std::string rowMark(worksheet::Control list) const { return worksheet::rowMark(sheet(), list).value_or(""); }

    // Whether the worksheet is the plan last saved or opened, or the one of
    // start-up: what the window's title shows without its star.
    bool saved() const { return sheet().holds(saved_); }

    // Messages shown and answered OK, oldest first, until a scenario checks them.
    std::deque<ShownMessage> messages;
    // Set once Exit has ended the worksheet.
    bool closed = false;

protected:
    // After start-up, a save and an open that succeeded.
    void keepAsSaved() { saved_ = sheet().state(); }

private:
    worksheet::SheetState saved_;
};
