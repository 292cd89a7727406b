// Random worksheet sessions over the headless core, with the worksheet's
// invariants checked after every event: every label holds its start caption,
// a blank, or a number written by the number rule; a message is one of the
// worksheet's own, "Select Mission Type!" only while no mission is chosen,
// none on undo or redo; a number error or a refused pick leaves every control
// (but the refusal counter) as before; the summary tallies of combat load,
// supplies and towing places are the sums of the sections' shares, to 15
// digits; every control an event changed is reported (so the window shows
// it); only Print prints; undo then redo gives back the state before. At a
// random step the worksheet is saved as a plan and reopened: from then on
// the reopened one takes the same events and must show the same messages
// and every control the same (after undo or redo, which reach back past the
// plan, it is reopened again).
//
// The choices come from fuzz bytes or a seed; the steps can be written out as
// a scenario file, which the window then replays.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

namespace session {

// Where a session's choices come from: a seed (splitmix64, the same session
// on every platform, never exhausted) or the fuzzer's bytes, read from the
// front.
class Choices {
public:
    explicit Choices(std::uint64_t seed) : state_(seed) {}
    Choices(const std::uint8_t* data, std::size_t size) : bytes_(data), left_(size), seeded_(false) {}
    // A number in [0, bound), or 0 when bound is 0.
    std::size_t below(std::size_t bound);
    bool exhausted() const { return !seeded_ && left_ == 0; }

private:
    std::uint64_t state_ = 0;
    const std::uint8_t* bytes_ = nullptr;
    std::size_t left_ = 0;
    bool seeded_ = true;
};

struct Broken : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Options {
    std::size_t steps = 48;
    // Only texts a keyboard types into the window: no control characters,
    // nothing outside ASCII, no texts of thousands of characters.
    bool typeable = false;
    // Receives each step, and each message it showed, as scenario lines.
    std::function<void(const std::string&)> script;
    // Every so many steps, the script also expects the summary tallies.
    std::size_t expectEvery = 0;
};

// Runs one session; throws Broken at the first invariant that fails.
void run(Choices& choices, const Options& options);

} // namespace session
