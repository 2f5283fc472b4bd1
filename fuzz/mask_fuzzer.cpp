// An arbitrary input mask (pattern and fill) and keystrokes, carried out on the text the way
// the masked editor does with the mask's answers. The text always keeps the mask's length,
// literal positions keep their character, every placeholder holds a character its check
// takes as it is, and every position the mask gives is inside the text.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/utf8_text.h"
#include "fuzz/support/fuzz_check.h"
#include "fuzz/support/fuzz_pair.h"
#include "grid/input_mask.h"

namespace {

using grid::InputMask;

// UTF-8 characters as code points; a byte that starts none stands for itself.
std::u32string codePoints(std::string_view bytes)
{
    std::u32string text;
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = core::utf8SequenceLength(bytes.substr(i));
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (length == 0) {
            text += static_cast<char32_t>(lead);
            ++i;
            continue;
        }
        char32_t c = lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k)
            c = (c << 6) | (static_cast<unsigned char>(bytes[i + k]) & 0x3F);
        text += c;
        i += length;
    }
    return text;
}

class MaskedText {
public:
    explicit MaskedText(const InputMask& mask)
        : m_mask(mask), m_text(mask.templateText()), m_caret(mask.firstPlaceholder())
    {
        checkPosition(m_caret, "the first placeholder");
    }

    void key(FuzzedDataProvider& ops)
    {
        switch (ops.ConsumeIntegralInRange(0, 8)) {
        case 0: type(static_cast<char32_t>(ops.ConsumeIntegralInRange<std::uint32_t>(0, 0x10FFFF))); break;
        case 1: type(static_cast<char32_t>(ops.ConsumeIntegralInRange<std::uint32_t>(U' ', U'~'))); break;
        case 2: backspace(); break;
        case 3: putTemplateAt(m_caret); break;
        case 4: m_caret = m_mask.previousPlaceholder(m_caret); break;
        case 5: m_caret = m_mask.nextPlaceholder(m_caret); break;
        case 6: m_caret = ops.ConsumeBool() ? m_mask.firstPlaceholder() : m_mask.lastPlaceholder(); break;
        case 7: paste(codePoints(ops.ConsumeRandomLengthString(12))); break;
        default: clear(ops.ConsumeIntegral<std::uint8_t>(), ops.ConsumeIntegral<std::uint8_t>()); break;
        }
        checkFits();
    }

private:
    void type(char32_t c)
    {
        if (m_caret == m_text.size())
            return;
        const InputMask::Check checked = m_mask.check(c, m_caret);
        if (checked.status == InputMask::Status::Refused)
            return;
        m_text[m_caret] = checked.character;
        m_caret = m_mask.nextPlaceholder(m_caret);
    }

    void backspace()
    {
        m_caret = m_mask.previousPlaceholder(m_caret);
        putTemplateAt(m_caret);
    }

    void putTemplateAt(std::size_t position)
    {
        if (m_mask.isPlaceholder(position))
            m_text.at(position) = m_mask.templateText().at(position);
    }

    // Each character at the next position that takes it; literals are stepped over unless
    // the character is that literal.
    void paste(std::u32string_view pasted)
    {
        const std::u32string& shown = m_mask.templateText();
        std::size_t position = m_caret;
        for (const char32_t c : pasted) {
            while (position < m_mask.length() && !m_mask.isPlaceholder(position) && c != shown.at(position))
                ++position;
            if (position >= m_mask.length())
                break;
            const InputMask::Check checked = m_mask.check(c, position);
            if (checked.status != InputMask::Status::Refused)
                m_text.at(position) = checked.character;
            ++position;
        }
        if (position < m_mask.length() && !m_mask.isPlaceholder(position))
            position = m_mask.nextPlaceholder(position);
        m_caret = std::min(position, m_mask.editableEnd());
    }

    void clear(std::size_t start, std::size_t length)
    {
        start = std::min(start, m_text.size());
        length = std::min(length, m_text.size() - start);
        for (std::size_t i = start; i < start + length; ++i)
            m_text[i] = m_mask.templateText().at(i);
        m_caret = start;
    }

    void checkPosition(std::size_t position, std::string_view what) const
    {
        fuzz::check(position <= m_mask.length(), what);
    }

    void checkFits() const
    {
        checkPosition(m_caret, "the caret stays in the text");
        fuzz::check(m_text.size() == m_mask.length(), "the text keeps the mask's length");
        for (std::size_t i = 0; i < m_text.size(); ++i) {
            const InputMask::Check checked = m_mask.check(m_text[i], i);
            fuzz::check(checked.status == InputMask::Status::Accepted && checked.character == m_text[i],
                        "every character fits the mask", "position " + std::to_string(i));
        }
        fuzz::check(m_mask.checkText(m_text) == m_text, "a fitting text passes the check unchanged");
    }

    const InputMask& m_mask;
    std::u32string m_text;
    std::size_t m_caret;
};

void checkPositions(const InputMask& mask)
{
    const std::size_t end = mask.editableEnd();
    fuzz::check(end <= mask.length(), "the editable end is inside the mask");
    for (std::size_t i = 0; i <= mask.length() + 1; ++i) {
        fuzz::check(mask.nextPlaceholder(i) <= end, "the next placeholder is inside the mask");
        fuzz::check(mask.previousPlaceholder(i) <= mask.length(), "the previous placeholder is inside the mask");
    }
    fuzz::check(mask.kinds().size() == mask.length() && mask.templateText().size() == mask.length(),
                "kinds and template cover the mask");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const fuzz::FuzzInput input = fuzz::FuzzInput::parse(data, size);
    InputMask mask;
    std::optional<std::u32string> fill;
    if (input.ignoreBlanks)
        fill = codePoints(input.target);
    const bool fits = mask.set(codePoints(input.source), fill);
    fuzz::check(fits || (fill && fill->size() != mask.length()), "only a fill of another length is refused");
    checkPositions(mask);
    MaskedText text(mask);
    FuzzedDataProvider keys(reinterpret_cast<const std::uint8_t*>(input.rest.data()), input.rest.size());
    while (keys.remaining_bytes() > 0)
        text.key(keys);
    mask.checkText(codePoints(input.rest));
    return 0;
}
