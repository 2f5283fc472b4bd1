#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace core {

// Lines as clipboard text: each line followed by a line feed, no carriage returns.
class ClipLines {
public:
    // A piece of a long line whose rest is added next gets no line feed.
    void add(std::string_view line, bool restFollows = false);
    const std::string& text() const { return m_text; }
    bool empty() const { return m_text.empty(); }

    // Clipboard text back into lines: a line feed ends a line, and so does a carriage return
    // right before one; any other carriage return becomes a blank. A last piece without a
    // line feed is a line too: it is part of what was copied.
    static std::vector<std::string> split(std::string_view text);

private:
    std::string m_text;
};

} // namespace core
