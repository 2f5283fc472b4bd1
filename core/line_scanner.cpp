#include "core/line_scanner.h"

#include <cstring>

namespace core {

LineEnd findLongLineEnd(const char* from, const char* end, const char* lastTab)
{
    LineEnd found;
    const void* lineFeed = std::memchr(from, '\n', static_cast<std::size_t>(end - from));
    found.at = lineFeed == nullptr ? end : static_cast<const char*>(lineFeed);
    const void* tab = ::memrchr(from, '\t', static_cast<std::size_t>(found.at - from));
    found.lastTab = tab == nullptr ? lastTab : static_cast<const char*>(tab);
    return found;
}

} // namespace core
