// Whole worksheet sessions over the headless core, decoded from the fuzzer's
// bytes and checked after every event (tests/session_checker.h).
//
// Run the binary on inputs with SESSION_FUZZ_SCRIPT set to write their steps
// as one scenario file: SESSION_FUZZ_SCRIPT=1 to standard output,
// SESSION_FUZZ_SCRIPT=FILE to FILE. (0 or empty: no scenario.)
#include "tests/session_checker.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {
session::Options plain;
session::Options scripted;
std::FILE* scenario = nullptr;
// libFuzzer runs an input a second time when it suspects a leak: its steps
// are written once.
std::vector<std::uint8_t> lastScripted;
bool scriptedAny = false;

void writeLine(const std::string& line)
{
    // Byte for byte: a text the fuzzer typed may hold any byte, a zero too.
    std::fwrite(line.data(), 1, line.size(), scenario);
    std::fputc('\n', scenario);
    std::fflush(scenario);
}

// Whether this input's steps are to be written; each input after the first
// starts from a fresh worksheet.
bool startScript(const std::uint8_t* data, std::size_t size)
{
    if (!scenario || (scriptedAny && std::equal(data, data + size, lastScripted.begin(), lastScripted.end())))
        return false;
    if (scriptedAny)
        writeLine("restart");
    lastScripted.assign(data, data + size);
    scriptedAny = true;
    return true;
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    const char* target = std::getenv("SESSION_FUZZ_SCRIPT");
    if (!target || !*target || std::strcmp(target, "0") == 0)
        return 0;
    scenario = std::strcmp(target, "1") == 0 ? stdout : std::fopen(target, "w");
    if (!scenario) {
        std::fprintf(stderr, "SESSION_FUZZ_SCRIPT: cannot write %s: %s\n", target, std::strerror(errno));
        std::exit(1);
    }
    scripted.script = writeLine;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    session::Choices in(data, size);
    try {
        session::run(in, startScript(data, size) ? scripted : plain);
    } catch (const session::Broken& broken) {
        std::fprintf(stderr, "INVARIANT BROKEN: %s\n", broken.what());
        std::abort();
    }
    return 0;
}
