#include "fuzz/support/fuzz_check.h"

#include <cstdio>
#include <cstdlib>

namespace fuzz {

void check(bool holds, std::string_view what)
{
    if (holds)
        return;
    std::fprintf(stderr, "property failed: %.*s\n", static_cast<int>(what.size()), what.data());
    std::abort();
}

void check(bool holds, std::string_view what, const std::string& detail)
{
    if (!holds)
        std::fprintf(stderr, "%s\n", detail.c_str());
    check(holds, what);
}

} // namespace fuzz
