#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace core {

enum class EncodingKind : std::uint8_t { Utf8, Utf16Le, Utf16Be, Utf32Le, Utf32Be, Legacy };

// The encoding of one file on disk. Lines are held in UTF-8 whatever it is, so that the
// two files of a pair compare as text; saving encodes them back.
struct TextEncoding {
    EncodingKind kind = EncodingKind::Utf8;
    bool bom = false;
    std::string legacyName; // the 8-bit code page as iconv names it, for Legacy

    static TextEncoding unicode(EncodingKind kind, bool bom)
    {
        TextEncoding encoding;
        encoding.kind = kind;
        encoding.bom = bom;
        return encoding;
    }
    static TextEncoding legacy(std::string name)
    {
        TextEncoding encoding;
        encoding.kind = EncodingKind::Legacy;
        encoding.legacyName = std::move(name);
        return encoding;
    }
    // What a file in kind starts with when it has a BOM; empty for an 8-bit code page.
    static std::string_view bomOf(EncodingKind kind);

    // The name iconv knows it by.
    std::string iconvName() const;
    std::string_view bomBytes() const { return bom ? bomOf(kind) : std::string_view{}; }
    // As the user reads it, for example "UTF-16 LE BOM" or "WINDOWS-1252".
    std::string label() const;
    bool operator==(const TextEncoding&) const = default;
};

// The code page of files that are neither Unicode nor UTF-8 when the settings name none.
inline constexpr std::string_view kDefaultLegacyEncoding = "WINDOWS-1252";

// An encoding the user named: UTF-8, UTF-8-BOM, UTF-16LE, UTF-16BE, UTF-32LE, UTF-32BE (a
// "-BOM" suffix adds one, "UTF-16" alone is little-endian with a BOM) or any 8-bit code page
// iconv knows. None for a name nothing knows.
std::optional<TextEncoding> encodingNamed(std::string_view name);

// What the start of a file tells: its BOM, else UTF-16 when its NULs say so unmistakably,
// else UTF-8 (whether it really is, only the whole file tells).
TextEncoding encodingOfStart(std::string_view head);

// The text of bytes (without their BOM) in UTF-8. An 8-bit code page's byte that has no
// character stays as it is, which is never valid UTF-8 on its own. None when the bytes are
// not in that encoding.
std::optional<std::string> decodeText(std::string_view bytes, const TextEncoding& encoding);

// Appends utf8 written in encoding (without BOM) to out. Bytes that are not UTF-8 go out as
// they are in an 8-bit code page. False when a character cannot be written in it; failedAt
// then tells where in utf8 it stands and out holds what came before.
bool encodeText(std::string_view utf8, const TextEncoding& encoding, std::string& out, std::size_t* failedAt = nullptr);

} // namespace core
