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
    // handler goes on once it returns.
    virtual void showMessage(std::string_view title, std::string_view text) = 0;
    virtual void printWindow() = 0;
    virtual void quit() = 0;
};

} // namespace worksheet
