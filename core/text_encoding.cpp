#include "core/text_encoding.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>

#include <iconv.h>

#include "core/utf8_text.h"

namespace core {

namespace {

// How far the NULs of a file's start are looked at to call it UTF-16.
constexpr std::size_t kSniffedBytes = 4096;
// Text is re-encoded in slices of about this size when checking a decoding.
constexpr std::size_t kCheckSlice = 1 << 20;

// One iconv conversion, closed with its owner.
class Converter {
public:
    Converter(const std::string& to, const std::string& from) : m_cd(::iconv_open(to.c_str(), from.c_str())) {}
    ~Converter()
    {
        if (valid())
            ::iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    struct Step {
        std::size_t read = 0;
        int error = 0; // 0 when all of the input was converted
    };
    // Converts as much of in as it can, appending to out.
    Step convert(std::string_view in, std::string& out)
    {
        std::array<char, 1 << 16> block{};
        char* from = const_cast<char*>(in.data());
        std::size_t fromLeft = in.size();
        for (;;) {
            char* to = block.data();
            std::size_t toLeft = block.size();
            const std::size_t done = ::iconv(m_cd, &from, &fromLeft, &to, &toLeft);
            out.append(block.data(), static_cast<std::size_t>(to - block.data()));
            const std::size_t read = in.size() - fromLeft;
            if (done != static_cast<std::size_t>(-1))
                return {read, 0};
            if (errno != E2BIG)
                return {read, errno};
        }
    }

private:
    iconv_t m_cd;
};

bool startsWith(std::string_view bytes, std::string_view start)
{
    return bytes.substr(0, start.size()) == start;
}

// UTF-16 text of mostly ASCII has a NUL in one byte of most units and in the other of none.
std::optional<EncodingKind> utf16ByNuls(std::string_view head)
{
    const std::size_t units = std::min(head.size(), kSniffedBytes) / 2;
    if (units < 2)
        return std::nullopt;
    std::size_t evenNuls = 0;
    std::size_t oddNuls = 0;
    for (std::size_t unit = 0; unit < units; ++unit) {
        evenNuls += head[2 * unit] == '\0' ? 1 : 0;
        oddNuls += head[2 * unit + 1] == '\0' ? 1 : 0;
    }
    if (evenNuls == 0 && 2 * oddNuls >= units)
        return EncodingKind::Utf16Le;
    if (oddNuls == 0 && 2 * evenNuls >= units)
        return EncodingKind::Utf16Be;
    return std::nullopt;
}

// The 8-bit code page iconv knows by name, which writes ASCII as ASCII.
bool isLegacyCodePage(const std::string& name)
{
    const TextEncoding encoding = TextEncoding::legacy(name);
    std::string written;
    return Converter(name, "UTF-8").valid() && encodeText("Az\n", encoding, written) && written == "Az\n";
}

// utf8 written in encoding gives original exactly.
bool encodesBackTo(std::string_view utf8, const TextEncoding& encoding, std::string_view original)
{
    std::string written;
    while (!utf8.empty()) {
        std::size_t slice = std::min(utf8.size(), kCheckSlice);
        while (slice < utf8.size() && slice > 1 && isUtf8Continuation(utf8[slice]))
            --slice;
        written.clear();
        if (!encodeText(utf8.substr(0, slice), encoding, written) || !startsWith(original, written))
            return false;
        original.remove_prefix(written.size());
        utf8.remove_prefix(slice);
    }
    return original.empty();
}

} // namespace

std::string TextEncoding::iconvName() const
{
    switch (kind) {
    case EncodingKind::Utf8:
        return "UTF-8";
    case EncodingKind::Utf16Le:
        return "UTF-16LE";
    case EncodingKind::Utf16Be:
        return "UTF-16BE";
    case EncodingKind::Utf32Le:
        return "UTF-32LE";
    case EncodingKind::Utf32Be:
        return "UTF-32BE";
    case EncodingKind::Legacy:
        break;
    }
    return legacyName;
}

std::string_view TextEncoding::bomOf(EncodingKind kind)
{
    switch (kind) {
    case EncodingKind::Utf8:
        return "\xEF\xBB\xBF";
    case EncodingKind::Utf16Le:
        return "\xFF\xFE";
    case EncodingKind::Utf16Be:
        return "\xFE\xFF";
    case EncodingKind::Utf32Le:
        return {"\xFF\xFE\0\0", 4};
    case EncodingKind::Utf32Be:
        return {"\0\0\xFE\xFF", 4};
    case EncodingKind::Legacy:
        break;
    }
    return {};
}

std::string TextEncoding::label() const
{
    static constexpr std::array<const char*, 5> kUnicodeLabels{"UTF-8", "UTF-16 LE", "UTF-16 BE", "UTF-32 LE",
                                                               "UTF-32 BE"};
    if (kind == EncodingKind::Legacy)
        return legacyName;
    std::string label = kUnicodeLabels.at(static_cast<std::size_t>(kind));
    return bom ? label + " BOM" : label;
}

std::optional<TextEncoding> encodingNamed(std::string_view name)
{
    std::string upper;
    for (const char c : name)
        upper.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
    constexpr std::string_view kBomSuffix = "-BOM";
    const bool bom = upper.size() > kBomSuffix.size() && upper.ends_with(kBomSuffix);
    if (bom)
        upper.resize(upper.size() - kBomSuffix.size());
    static constexpr std::array<std::pair<std::string_view, EncodingKind>, 5> kUnicode{{
        {"UTF-8", EncodingKind::Utf8},
        {"UTF-16LE", EncodingKind::Utf16Le},
        {"UTF-16BE", EncodingKind::Utf16Be},
        {"UTF-32LE", EncodingKind::Utf32Le},
        {"UTF-32BE", EncodingKind::Utf32Be},
    }};
    for (const auto& [known, kind] : kUnicode) {
        if (upper == known)
            return TextEncoding::unicode(kind, bom);
    }
    // Without an order named, Unicode files start with a BOM that gives it.
    if (upper == "UTF-16")
        return TextEncoding::unicode(EncodingKind::Utf16Le, true);
    if (upper == "UTF-32")
        return TextEncoding::unicode(EncodingKind::Utf32Le, true);
    if (bom || upper.empty() || !isLegacyCodePage(upper))
        return std::nullopt;
    return TextEncoding::legacy(upper);
}

TextEncoding encodingOfStart(std::string_view head)
{
    // UTF-32 LE's BOM starts as UTF-16 LE's does: it is looked for first.
    static constexpr std::array<EncodingKind, 5> kBomOrder{EncodingKind::Utf8, EncodingKind::Utf32Le,
                                                           EncodingKind::Utf32Be, EncodingKind::Utf16Le,
                                                           EncodingKind::Utf16Be};
    for (const EncodingKind kind : kBomOrder) {
        if (startsWith(head, TextEncoding::bomOf(kind)))
            return TextEncoding::unicode(kind, true);
    }
    if (const std::optional<EncodingKind> utf16 = utf16ByNuls(head))
        return TextEncoding::unicode(*utf16, false);
    return {};
}

std::optional<std::string> decodeText(std::string_view bytes, const TextEncoding& encoding)
{
    if (encoding.kind == EncodingKind::Utf8)
        return std::string(bytes);
    Converter converter("UTF-8", encoding.iconvName());
    if (!converter.valid())
        return std::nullopt;
    std::string text;
    // Reserved, not filled: pages the text does not reach are never touched.
    text.reserve(encoding.kind == EncodingKind::Legacy ? 3 * bytes.size() : bytes.size() * 3 / 2);
    for (std::string_view rest = bytes; !rest.empty();) {
        const Converter::Step step = converter.convert(rest, text);
        rest.remove_prefix(step.read);
        if (step.error == 0)
            break;
        if (encoding.kind != EncodingKind::Legacy)
            return std::nullopt;
        text.push_back(rest.front());
        rest.remove_prefix(1);
    }
    // Unicode that decodes has one encoding only; in a code page a byte kept as it is could
    // join its neighbours into a character, and some code pages write a character two ways.
    if (encoding.kind == EncodingKind::Legacy && !encodesBackTo(text, encoding, bytes))
        return std::nullopt;
    return text;
}

bool encodeText(std::string_view utf8, const TextEncoding& encoding, std::string& out, std::size_t* failedAt)
{
    if (encoding.kind == EncodingKind::Utf8) {
        out += utf8;
        return true;
    }
    Converter converter(encoding.iconvName(), "UTF-8");
    std::size_t at = 0;
    while (converter.valid() && at < utf8.size()) {
        const Converter::Step step = converter.convert(utf8.substr(at), out);
        at += step.read;
        if (step.error == 0)
            return true;
        const bool notUtf8 = utf8SequenceLength(utf8.substr(at)) == 0 && static_cast<unsigned char>(utf8[at]) >= 0x80;
        if (!notUtf8 || encoding.kind != EncodingKind::Legacy)
            break;
        out.push_back(utf8[at]);
        ++at;
    }
    if (at >= utf8.size())
        return true;
    if (failedAt != nullptr)
        *failedAt = at;
    return false;
}

} // namespace core
