#include "core/file_change_watcher.h"

#include <algorithm>
#include <optional>
#include <system_error>

namespace core {

namespace {

std::optional<FileChangeWatcher::FileTime> lastWriteTime(const std::string& path)
{
    if (path.empty())
        return std::nullopt;
    std::error_code error;
    const auto time = std::filesystem::last_write_time(path, error);
    if (error)
        return std::nullopt;
    return time;
}

} // namespace

FileChangeWatcher::FileChangeWatcher(int count)
    : m_names(static_cast<std::size_t>(std::max(count, 1)))
    , m_times(m_names.size())
{
}

void FileChangeWatcher::SetTarget(framework::MessageTarget* target, framework::MessageId message,
                                  framework::LParam lParam)
{
    m_target = target;
    m_message = message;
    m_lParam = lParam;
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
        if (const auto time = lastWriteTime(m_names[index]))
            m_times[index] = *time;
    }
}

bool FileChangeWatcher::Check(int index)
{
    const auto time = lastWriteTime(m_names.at(index));
    if (!time || *time == m_times[index])
        return false;
    m_times[index] = *time;
    return Notify(index);
}

bool FileChangeWatcher::Notify(int index)
{
    if (m_target == nullptr)
        return false;
    m_target->post(m_message, static_cast<framework::WParam>(index), m_lParam);
    return true;
}

void FileChangeWatcher::OnActivateApp(bool active)
{
    if (!active) {
        Start();
        m_armed = true;
        return;
    }
    if (!m_armed)
        return;
    for (int index = 0; index < count(); ++index)
        Check(index);
}

} // namespace core
