#pragma once

#include <string_view>

namespace worksheet {

// What the worksheet asks of the program around it. The core never shows a
// window itself; the Qt window, the scenario runner and the tests each answer
// these their own way.
class Host {
public:
    virtual ~Host() = default;
    // A modal message with one OK button and the critical-stop icon; the
    // handler goes on once it returns. The detail, when not empty, is a line
    // beneath the text that says more (by how much a pick was short).
    virtual void showMessage(std::string_view title, std::string_view text, std::string_view detail) = 0;
    virtual void printWindow() = 0;
    virtual void quit() = 0;
};

// A host for a worksheet that no one watches (a plan read to be reported on,
// a benchmark, a fuzz target): it shows nothing and records nothing.
class NoHost final : public Host {
public:
    void showMessage(std::string_view, std::string_view, std::string_view) override {}
    void printWindow() override {}
    void quit() override {}
};

} // namespace worksheet
