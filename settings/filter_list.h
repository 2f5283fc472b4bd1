#pragma once

#include <string>
#include <vector>

#include "settings/file_filter.h"
#include "settings/profile_section.h"

namespace settings {

// The ordered file-name filters of the file dialogs; section "Filters" by default.
class FilterList : public ProfileSection {
public:
    explicit FilterList(std::string sectionName = "Filters");

    int size() const { return static_cast<int>(m_filters.size()); }
    bool empty() const { return m_filters.empty(); }
    const FileFilter& at(int index) const;
    FileFilter& at(int index);
    const std::vector<FileFilter>& filters() const { return m_filters; }

    // Stored as "Cur"; loaded and saved, otherwise left alone.
    int current() const { return m_current; }
    void setCurrent(int index) { m_current = index; }

    void append(FileFilter filter);
    void removeAt(int index);
    // Moves the filter at source so that it lands before the filter at destination.
    // A destination at or beyond the count means 0, a negative one means the end.
    // Returns the filter's new index, or -1 when source is not an index of the list.
    int move(int destination, int source);
    void clear() { m_filters.clear(); }

    // "name|mask; mask|" for each filter, then one more "|".
    std::string filterText() const;

    void Exchange(bool save) override;

private:
    std::vector<FileFilter> m_filters;
    int m_current = -1;
};

} // namespace settings
