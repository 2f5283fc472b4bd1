#pragma once

#include <cstdint>
#include <string_view>

#include "core/line_state.h"

namespace core {

constexpr std::int32_t kNoPartner = -1;

// One text line as displayed, compared and saved. The bytes live in the owning
// LineFile's text store; a record is a small view onto them and is only built by
// LineFile (load, appendLine, setText). Lines are byte strings: NUL and bytes >= 128
// are ordinary bytes.
class LineRecord {
public:
    // Tabs expanded to TabSize blanks, trailing white space removed, no line end.
    std::string_view text() const { return {m_text, m_textLength}; }
    // The text without its leading blanks; with IgnoreBlanks also every run of blanks
    // inside it reduced to one. Empty for an empty or all-blank line.
    std::string_view key() const
    {
        return {m_keyFollowsText ? m_text + m_textLength : m_text + m_textLength - m_keyLength, m_keyLength};
    }
    // Hash of the key (IgnoreBlanks on) or of the text (off); 0 for an empty one.
    std::uint32_t hash() const { return m_hash; }

    LineState state() const { return static_cast<LineState>(m_state); }
    void setState(LineState state) { m_state = static_cast<std::uint32_t>(state); }

    // Index of the unique partner line in the other file, or kNoPartner. Only the
    // difference engine sets it.
    std::int32_t partner() const { return m_partner; }
    bool hasPartner() const { return m_partner != kNoPartner; }
    void setPartner(std::int32_t partner) { m_partner = partner; }

    // The line on disk was longer than one piece and the next record holds its rest;
    // saving writes such pieces back as one line.
    bool continues() const { return m_continues != 0; }

    // The longest key a record holds. A longer one, which only an edit can make (a text
    // of over 64 MiB), is cut to it; its hash still covers the whole key.
    static constexpr std::uint32_t kLongestKey = (1u << 26) - 1;

private:
    friend class LineFile;

    // A record is 24 bytes: a file of a million lines keeps a million of them.
    const char* m_text = "";
    std::uint32_t m_textLength = 0;
    std::uint32_t m_hash = 0;
    std::int32_t m_partner = kNoPartner;
    // The key is the text's last m_keyLength bytes, or with blanks collapsed the
    // m_keyLength bytes stored after the text.
    std::uint32_t m_keyLength : 26 = 0;
    std::uint32_t m_keyFollowsText : 1 = 0;
    // On disk the line differs from its text only in an indentation of tabs, each of the
    // owning file's tab size: the most common such line needs nothing else to be saved.
    std::uint32_t m_tabIndented : 1 = 0;
    std::uint32_t m_state : 3 = static_cast<std::uint32_t>(LineState::Same);
    std::uint32_t m_continues : 1 = 0;
};

static_assert(sizeof(LineRecord) == 24);

// Line equality: hashes first, then the texts (ignoreBlanks off) or the keys (on), so both
// lines were built with the same ignoreBlanks. With it on, a match of texts of different
// length sets *blankDifference.
bool isEqual(const LineRecord& a, const LineRecord* b, bool ignoreBlanks, bool* blankDifference = nullptr);

} // namespace core
