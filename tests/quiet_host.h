// A worksheet's host for the unit tests: shows nothing, and a message no
// test took out of `messages` fails the test.
#pragma once

#include "worksheet/host.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

struct QuietHost final : worksheet::Host {
    std::vector<std::string> messages;
    ~QuietHost() override
    {
        for (const std::string& m : messages)
            ADD_FAILURE() << "unexpected message " << m;
    }
    void showMessage(std::string_view title, std::string_view text, std::string_view) override
    {
        messages.push_back(std::string(title) + ": " + std::string(text));
    }
    void printWindow() override {}
    void quit() override {}
};
