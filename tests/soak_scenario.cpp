// soak-scenario SEED STEPS: writes a scenario of STEPS random user steps,
// played and checked on the headless core as they are drawn, for a long run
// of worksheet-script against the window. Every message the core showed is
// expected, and every 25 steps the summary tallies. The same seed gives the
// same steps.
#include "session_checker.h"

#include <cstdlib>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: soak-scenario SEED STEPS\n";
        return 2;
    }
    session::Choices random(std::strtoull(argv[1], nullptr, 10));
    session::Options options{std::strtoul(argv[2], nullptr, 10), true,
                             [](const std::string& line) { std::cout << line << '\n'; }, 25};
    try {
        session::run(random, options);
    } catch (const session::Broken& broken) {
        std::cerr << "soak-scenario: " << broken.what() << '\n';
        return 1;
    }
}
