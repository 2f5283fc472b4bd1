#include "core/utf8_text.h"

#include <cstdint>
#include <cstring>

namespace core {

std::size_t utf8SequenceLength(std::string_view bytes)
{
    if (bytes.empty())
        return 0;
    const auto lead = static_cast<unsigned char>(bytes[0]);
    std::size_t length = 0;
    unsigned int minimum = 0;
    unsigned int codePoint = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        minimum = 0x80;
        codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        minimum = 0x800;
        codePoint = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        minimum = 0x10000;
        codePoint = lead & 0x07;
    } else {
        return 0;
    }
    if (bytes.size() < length)
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(bytes[k]);
        if ((next & 0xC0) != 0x80)
            return 0;
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    if (codePoint < minimum || codePoint > 0x10FFFF || surrogate)
        return 0;
    return length;
}

bool isValidUtf8(std::string_view bytes)
{
    Utf8Census census;
    census.add(bytes);
    return census.isAllUtf8();
}

void Utf8Census::add(std::string_view bytes)
{
    // Most text is ASCII: eight bytes at a time until a byte above it.
    constexpr std::uint64_t kHighBits = 0x8080808080808080u;
    std::size_t at = 0;
    for (; at + sizeof(std::uint64_t) <= bytes.size(); at += sizeof(std::uint64_t)) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes.data() + at, sizeof word);
        if ((word & kHighBits) != 0)
            break;
    }
    addNonAscii(bytes.substr(at));
}

void Utf8Census::addNonAscii(std::string_view bytes)
{
    std::size_t at = 0;
    while (at < bytes.size()) {
        if (static_cast<unsigned char>(bytes[at]) < 0x80) {
            ++at;
            continue;
        }
        const std::size_t length = utf8SequenceLength(bytes.substr(at));
        if (length == 0) {
            ++m_strayBytes;
            ++at;
        } else {
            ++m_characters;
            at += length;
        }
    }
}

} // namespace core
