#include "settings/filter_list.h"

#include <algorithm>
#include <cassert>

namespace settings {

namespace {

// A file edited by hand may hold any total; no dialog needs more filters than this.
constexpr int kMaxFilters = 1000;

} // namespace

FilterList::FilterList(std::string sectionName) : ProfileSection(std::move(sectionName)) {}

const FileFilter& FilterList::at(int index) const
{
    assert(index >= 0 && index < size());
    return m_filters[static_cast<std::size_t>(index)];
}

FileFilter& FilterList::at(int index)
{
    assert(index >= 0 && index < size());
    return m_filters[static_cast<std::size_t>(index)];
}

void FilterList::append(FileFilter filter)
{
    m_filters.push_back(std::move(filter));
}

void FilterList::removeAt(int index)
{
    assert(index >= 0 && index < size());
    m_filters.erase(m_filters.begin() + index);
}

int FilterList::move(int destination, int source)
{
    if (source < 0 || source >= size())
        return -1;
    if (destination >= size())
        destination = 0;
    if (destination < 0)
        destination = size();
    FileFilter moved = std::move(m_filters[static_cast<std::size_t>(source)]);
    m_filters.erase(m_filters.begin() + source);
    const int landing = source < destination ? destination - 1 : destination;
    m_filters.insert(m_filters.begin() + landing, std::move(moved));
    return landing;
}

std::string FilterList::filterText() const
{
    std::string text;
    for (const FileFilter& filter : m_filters) {
        text += filter.name();
        text += '|';
        const auto& masks = filter.masks();
        for (std::size_t i = 0; i < masks.size(); ++i) {
            if (i > 0)
                text += "; ";
            text += masks[i];
        }
        text += '|';
    }
    text += '|';
    return text;
}

void FilterList::Exchange(bool save)
{
    // Unlike the other sections, a missing count or index does not keep the current list.
    int total = save ? size() : 0;
    if (!save)
        m_current = -1;
    ExchangeInt(save, "Total", total);
    ExchangeInt(save, "Cur", m_current);
    if (!save)
        m_filters.resize(static_cast<std::size_t>(std::clamp(total, 0, kMaxFilters)));
    for (std::size_t i = 0; i < m_filters.size(); ++i) {
        FileFilter& filter = m_filters[i];
        std::string name = filter.name();
        std::string maskText = filter.maskText();
        ExchangeString(save, std::to_string(i), name);
        ExchangeString(save, "mask_" + std::to_string(i), maskText);
        if (!save)
            filter = FileFilter(std::move(name), std::move(maskText));
    }
}

} // namespace settings
