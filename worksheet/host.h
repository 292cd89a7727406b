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

} // namespace worksheet
