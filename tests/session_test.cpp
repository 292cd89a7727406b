// Seeded random sessions over the core and every section, checked after
// every event (session_checker.h). The same seeds every run.
#include "session_checker.h"

#include <gtest/gtest.h>

TEST(Sessions, KeepTheWorksheetsInvariants)
{
    session::Options options;
    options.steps = 200;
    for (std::uint64_t seed = 1; seed <= 150; ++seed) {
        session::Choices random(seed);
        try {
            session::run(random, options);
        } catch (const session::Broken& broken) {
            FAIL() << "seed " << seed << ": " << broken.what();
        }
    }
}
