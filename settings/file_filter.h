#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace settings {

// One file-name filter of the file dialogs: a display name and a mask text such as
// "*.cpp *.h". The masks are split out of the text whenever the text changes.
class FileFilter {
public:
    static constexpr std::size_t kMaxMasks = 50;

    FileFilter() : FileFilter({}, {}) {}
    FileFilter(std::string name, std::string maskText);

    const std::string& name() const { return m_name; }
    void setName(std::string name) { m_name = std::move(name); }
    const std::string& maskText() const { return m_maskText; }
    void setMaskText(std::string maskText);
    const std::vector<std::string>& masks() const { return m_masks; }

    // Blanks, ';' and ',' separate masks; a double-quoted mask may hold them. A text
    // without any mask stands for "*.*". At most kMaxMasks masks; later ones are dropped.
    static std::vector<std::string> splitMasks(std::string_view maskText);

    bool operator==(const FileFilter&) const = default;

private:
    std::string m_name;
    std::string m_maskText;
    std::vector<std::string> m_masks;
};

} // namespace settings
