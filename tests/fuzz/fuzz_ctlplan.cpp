// Arbitrary bytes as a batch plan file: every input is read into complete rows or refused.
#include "ctl/plan/batchplan.h"

#include <cstddef>
#include <cstdint>

namespace {

constexpr int kMacTextLength = 17;
constexpr int kFirstRowLine = 2; // after the header

void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const Checked<QVector<PlanRow>> plan =
        parsePlan(QByteArray(reinterpret_cast<const char *>(data), int(size)));
    if (!plan.ok())
        return 0;
    check(!plan.value.isEmpty());
    for (const PlanRow &row : plan.value)
        check(row.mac.size() == kMacTextLength && row.setsAnything() && row.line >= kFirstRowLine &&
              row.user.isEmpty() == row.password.isEmpty());
    return 0;
}
