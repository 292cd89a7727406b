// The number rule over long texts: the input PREFIX 0xFE MIDDLE 0xFE SUFFIX
// becomes a text of 1 MiB and more, the middle repeated. Its reading must
// agree with the plain reference reading and stay linear in the text's
// length: fuzz/run gives every input a time limit that a 1 MiB text read in
// quadratic time runs far over.
#include "number_checks.h"

#include <cstdint>
#include <string>
#include <string_view>

using namespace number_checks;
using worksheet::parseNumber;

namespace {

constexpr std::size_t length = 1 << 20;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    const std::size_t first = rest.find('\xFE');
    const std::string_view prefix = rest.substr(0, first);
    rest = first == std::string_view::npos ? std::string_view{} : rest.substr(first + 1);
    const std::size_t second = rest.find('\xFE');
    std::string_view middle = rest.substr(0, second);
    const std::string_view suffix = second == std::string_view::npos ? std::string_view{} : rest.substr(second + 1);
    if (middle.empty())
        middle = " ";

    std::string block(middle);
    while (block.size() < length / 2)
        block = block + block;
    std::string text(prefix);
    text.reserve(length + prefix.size() + block.size() + suffix.size());
    while (text.size() < length)
        text += block;
    text += suffix;

    const double value = parseNumber(text);
    const double reference = referenceRead(text);
    if (!sameReading(value, reference))
        fail("a long text reads differently from the reference reading", text, reference);
    checkWriting(value);
    return 0;
}
