#pragma once

#include "backend.h"

#include <memory>

class WorksheetWindow;

// The real worksheet window, driven with key clicks, list choices from the
// pop-up and mouse clicks; each message box is recorded and answered OK.
class GuiBackend final : public Backend {
public:
    GuiBackend();
    ~GuiBackend() override;

    void restart() override;
    const worksheet::Sheet& sheet() const override;

    void type(worksheet::Control c, std::string_view text) override;
    void paste(worksheet::Control c, std::string_view text) override;
    void erase(worksheet::Control c) override;
    void pick(worksheet::Control c, std::size_t item) override;
    void press(worksheet::Control c) override;
    void tick(worksheet::Control c) override;
    void undo() override;
    void redo() override;
    void save(const std::string& path) override;
    void open(const std::string& path) override;

    std::string caption(worksheet::Control c) const override;
    bool enabled(worksheet::Control c) const override;
    bool visible(worksheet::Control c) const override;
    bool checked(worksheet::Control c) const override;
    std::vector<std::string> items(worksheet::Control c) const override;
    // The mark the list shows: its underline, and what its description says.
    std::string rowMark(worksheet::Control list) const override;

    bool saveScreenshot(const std::string& path) const;

private:
    // Lets the window system deliver what the step queued, and collects the
    // messages it showed.
    void finishStep();

    std::unique_ptr<WorksheetWindow> window_;
};
