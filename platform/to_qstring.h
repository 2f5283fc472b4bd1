#pragma once

#include <string_view>

#include <QString>

namespace platform {

// A text of the program's own (a label, a tip, a message) from its UTF-8. Line texts of the
// files go through displayText instead, which also shows bytes that are not UTF-8.
inline QString toQString(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

} // namespace platform
