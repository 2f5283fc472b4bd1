#include "platform/display_text.h"

#include "core/utf8_text.h"

namespace platform {

namespace {

constexpr char16_t kStrayByteBase = 0xDC00;
constexpr char16_t kFirstStrayByte = 0xDC80; // bytes below 0x80 are always characters
constexpr char16_t kLastStrayByte = 0xDCFF;

bool isStrayByte(QChar c)
{
    return c.unicode() >= kFirstStrayByte && c.unicode() <= kLastStrayByte;
}

// Calls character(begin, end) for each run of UTF-8 and stray(byte) for each byte outside one.
template <typename Character, typename Stray>
void walkBytes(std::string_view bytes, Character character, Stray stray)
{
    std::size_t run = 0;
    std::size_t at = 0;
    while (at < bytes.size()) {
        if (static_cast<unsigned char>(bytes[at]) < 0x80) {
            ++at;
            continue;
        }
        const std::size_t length = core::utf8SequenceLength(bytes.substr(at));
        if (length != 0) {
            at += length;
            continue;
        }
        character(bytes.substr(run, at - run));
        stray(static_cast<unsigned char>(bytes[at]));
        run = ++at;
    }
    character(bytes.substr(run));
}

QString fromUtf8(std::string_view bytes)
{
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

} // namespace

QString displayText(std::string_view bytes)
{
    QString text;
    walkBytes(
        bytes, [&](std::string_view run) { text += fromUtf8(run); },
        [&](unsigned char byte) { text += QChar(char16_t(kStrayByteBase + byte)); });
    return text;
}

QString visibleText(std::string_view bytes)
{
    QString text;
    walkBytes(
        bytes, [&](std::string_view run) { text += fromUtf8(run); },
        [&](unsigned char byte) {
            text += QStringLiteral("\\x") + QString::number(byte, 16).toUpper().rightJustified(2, QLatin1Char('0'));
        });
    return text;
}

std::string storedText(const QString& text)
{
    std::string bytes;
    qsizetype run = 0;
    for (qsizetype at = 0; at < text.size(); ++at) {
        // The second half of a surrogate pair is a character's, not a byte's.
        if (!isStrayByte(text[at]) || (at > 0 && text[at - 1].isHighSurrogate()))
            continue;
        bytes += text.mid(run, at - run).toStdString();
        bytes += static_cast<char>(text[at].unicode() - kStrayByteBase);
        run = at + 1;
    }
    bytes += text.mid(run).toStdString();
    return bytes;
}

} // namespace platform
