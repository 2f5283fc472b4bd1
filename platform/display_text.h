#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace platform {

// Bytes as text: UTF-8, with each byte that is not part of a character held as the lone
// surrogate U+DC00 + byte, which no UTF-8 text holds, so storedText gives the bytes back.
QString displayText(std::string_view bytes);
// The same as painted: each such byte written as a visible escape, \xFF.
QString visibleText(std::string_view bytes);
// Typed, pasted or edited text as stored: UTF-8, and each byte displayText kept as that byte.
std::string storedText(const QString& text);

} // namespace platform
