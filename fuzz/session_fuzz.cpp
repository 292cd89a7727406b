// Whole worksheet sessions over the headless core, decoded from the fuzzer's
// bytes and checked after every event (tests/session_checker.h).
//
// Run the binary on an input with SESSION_FUZZ_SCRIPT set to write that
// input's steps as a scenario file: SESSION_FUZZ_SCRIPT=1 to standard output,
// SESSION_FUZZ_SCRIPT=FILE to FILE. (0 or empty: no scenario.)
#include "tests/session_checker.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
session::Options options;
std::FILE* scenario = nullptr;
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
    // Byte for byte: a text the fuzzer typed may hold any byte, a zero too.
    options.script = [](const std::string& line) {
        std::fwrite(line.data(), 1, line.size(), scenario);
        std::fputc('\n', scenario);
        std::fflush(scenario);
    };
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    session::Choices in(data, size);
    try {
        session::run(in, options);
    } catch (const session::Broken& broken) {
        std::fprintf(stderr, "INVARIANT BROKEN: %s\n", broken.what());
        std::abort();
    }
    return 0;
}
