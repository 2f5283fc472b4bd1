#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace platform {

// Bytes as shown: UTF-8 when valid, else each byte as its Latin-1 character (latin1, when
// given, tells which).
QString displayText(std::string_view bytes, bool* latin1 = nullptr);
// Typed or pasted text as stored: UTF-8.
std::string storedText(const QString& text);

} // namespace platform
