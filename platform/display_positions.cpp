#include "platform/display_positions.h"

#include <algorithm>

#include "platform/display_text.h"

namespace platform {

DisplayPositions::DisplayPositions(std::string_view bytes, const QFont& font)
    : m_bytes(bytes), m_shown(displayText(bytes, &m_latin1)), m_metrics(font)
{
}

int DisplayPositions::x(std::size_t byteOffset) const
{
    byteOffset = std::min(byteOffset, m_bytes.size());
    const qsizetype index = m_latin1 ? qsizetype(byteOffset)
                                     : QString::fromUtf8(m_bytes.data(), qsizetype(byteOffset)).size();
    return m_metrics.horizontalAdvance(m_shown.left(index));
}

} // namespace platform
