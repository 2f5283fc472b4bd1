#include "platform/display_positions.h"

#include <algorithm>

#include "platform/display_text.h"

namespace platform {

DisplayPositions::DisplayPositions(std::string_view bytes, const QFont& font) : m_bytes(bytes), m_metrics(font)
{
}

int DisplayPositions::x(std::size_t byteOffset) const
{
    return m_metrics.horizontalAdvance(visibleText(m_bytes.substr(0, std::min(byteOffset, m_bytes.size()))));
}

} // namespace platform
