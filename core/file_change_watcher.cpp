#include "core/file_change_watcher.h"

#include <algorithm>

namespace core {

FileChangeWatcher::FileChangeWatcher(int count)
    : m_names(static_cast<std::size_t>(std::max(count, 1)))
    , m_stamps(m_names.size())
{
}

void FileChangeWatcher::SetTarget(framework::MessageTarget* target, framework::MessageId message,
                                  framework::LParam lParam)
{
    m_target = target;
    m_message = message;
    m_lParam = lParam;
}

void FileChangeWatcher::SetFileEvents(FileEvents* events)
{
    m_events = events;
}

bool FileChangeWatcher::SetFile(int index, const std::string& path)
{
    if (index < 0 || index >= count())
        return false;
    m_names[index] = path;
    return true;
}

void FileChangeWatcher::Start()
{
    for (int index = 0; index < count(); ++index) {
        if (const auto stamp = DiskStamp::of(m_names[index]))
            m_stamps[index] = stamp;
    }
    if (m_events != nullptr)
        m_events->watchFiles(m_names);
}

void FileChangeWatcher::Record(int index, const DiskStamp& stamp)
{
    m_stamps.at(index) = stamp;
}

bool FileChangeWatcher::Check(int index)
{
    const auto stamp = DiskStamp::of(m_names.at(index));
    if (!stamp || stamp == m_stamps[index])
        return false;
    m_stamps[index] = stamp;
    return Notify(index);
}

bool FileChangeWatcher::Notify(int index)
{
    if (m_target == nullptr)
        return false;
    m_target->post(m_message, static_cast<framework::WParam>(index), m_lParam);
    return true;
}

// A change made while the application was active and that no file-system watch reported
// is still reported at the next activation: each change once.
void FileChangeWatcher::OnActivateApp(bool active)
{
    m_active = active;
    if (!active) {
        m_armed = true;
        return;
    }
    if (!m_armed)
        return;
    for (int index = 0; index < count(); ++index)
        Check(index);
}

// While the application is inactive, the next activation looks.
void FileChangeWatcher::OnFileEvent()
{
    if (!m_active)
        return;
    for (int index = 0; index < count(); ++index)
        Check(index);
}

FileChangeWatcher::FileTime FileChangeWatcher::time(int index) const
{
    const auto& stamp = m_stamps.at(index);
    return stamp ? stamp->written : FileTime {};
}

} // namespace core
