#pragma once

#include <optional>

// The one option of a benchmark that repeats its measure, "--NAME N"; the
// fallback without it. Anything else prints the usage and gives nothing.
std::optional<int> repeatOption(int argc, char** argv, const char* program, const char* name, int fallback);
