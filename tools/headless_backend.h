#pragma once

#include "backend.h"

#include <memory>

namespace plan {
struct Failure;
}

// The worksheet core alone, with a host that answers every message OK at once.
class HeadlessBackend final : public Backend, private worksheet::Host {
public:
    HeadlessBackend();

    void restart() override;
    const worksheet::Sheet& sheet() const override { return *sheet_; }

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

private:
    void showMessage(std::string_view title, std::string_view text, std::string_view detail) override;
    void printWindow() override;
    void quit() override;
    void show(const plan::Failure& failure);

    std::unique_ptr<worksheet::Sheet> sheet_;
};
