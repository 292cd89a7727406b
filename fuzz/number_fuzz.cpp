// The number rule over any bytes: any text reads without a crash or a read
// out of bounds, and to the same value as a plain reference reading; every
// finite value, read from the text or taken from the input's first eight
// bytes as a double, is written by the rule's shape and reads back to itself
// at 15 significant digits (see number_checks.h).
#include "number_checks.h"

#include <cstdint>
#include <cstring>
#include <string_view>

using namespace number_checks;
using worksheet::parseNumber;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);

    const double value = parseNumber(text);
    const double reference = referenceRead(text);
    if (!sameReading(value, reference))
        fail("the reading differs from the reference reading", text, reference);
    checkWriting(value);

    if (size >= 8) {
        double raw;
        std::memcpy(&raw, data, sizeof raw);
        checkWriting(raw);
    }
    return 0;
}
