#include "settings/file_filter.h"

namespace settings {

namespace {

constexpr std::string_view kAllFiles = "*.*";

bool isSeparator(char c)
{
    return c == ' ' || c == ';' || c == ',';
}

} // namespace

FileFilter::FileFilter(std::string name, std::string maskText) : m_name(std::move(name))
{
    setMaskText(std::move(maskText));
}

void FileFilter::setMaskText(std::string maskText)
{
    m_maskText = std::move(maskText);
    m_masks = splitMasks(m_maskText);
}

std::vector<std::string> FileFilter::splitMasks(std::string_view maskText)
{
    std::vector<std::string> masks;
    std::string mask;
    bool quoted = false;
    auto endMask = [&] {
        if (!mask.empty() && masks.size() < kMaxMasks)
            masks.push_back(mask);
        mask.clear();
    };
    for (const char c : maskText) {
        if (c == '"') {
            endMask();
            quoted = !quoted;
        } else if (!quoted && isSeparator(c)) {
            endMask();
        } else {
            mask += c;
        }
    }
    endMask();
    // A text of separators only would give the dialog a filter without masks.
    if (masks.empty())
        masks.emplace_back(kAllFiles);
    return masks;
}

} // namespace settings
