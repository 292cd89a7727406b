// Whole worksheet sessions over the headless core, decoded from the fuzzer's
// bytes and checked after every event (tests/session_checker.h).
//
// Set SESSION_FUZZ_SCRIPT=1 and run the binary on one input to print that
// input's steps as a scenario file.
#include "tests/session_checker.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
session::Options options;
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    const char* flag = std::getenv("SESSION_FUZZ_SCRIPT");
    if (flag && *flag && std::strcmp(flag, "0") != 0)
        options.script = [](const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); };
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
