// The plan reader on any bytes: it refuses what is no plan, and what it
// takes a worksheet holds exactly and writes back as the same plan.
#include "plan/plan.h"
#include "sections/routes.h"

#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void broken(const char* what)
{
    std::fprintf(stderr, "PLAN BROKEN: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const plan::Read read =
        plan::fromText(QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    if (!read.ok())
        return 0;
    worksheet::NoHost host;
    worksheet::Sheet sheet(host, sections::routes());
    if (!sheet.restore(read.state).empty())
        broken("a plan read cannot be restored");
    if (!sheet.holds(read.state))
        broken("the restored worksheet is not the plan read");
    const plan::Read again = plan::fromText(plan::toText(sheet.state()));
    if (!again.ok() || !(again.state == read.state))
        broken("the worksheet's plan does not read back as itself");
    return 0;
}
