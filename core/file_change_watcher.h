#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/disk_stamp.h"
#include "framework/messages.h"

namespace core {

// Notices that a watched file was written by another program, and posts a message to its
// target once for each such change. It looks when the application becomes active again
// after having been inactive and, while it is active, whenever the desktop's file-system
// watch reports a write. No thread, no timer.
class FileChangeWatcher {
public:
    using FileTime = std::filesystem::file_time_type;

    // The desktop's file-system watch: told which files to watch, it calls OnFileEvent on
    // a write to one of them.
    class FileEvents {
    public:
        virtual ~FileEvents() = default;
        virtual void watchFiles(const std::vector<std::string>& paths) = 0;
    };

    explicit FileChangeWatcher(int count = 1);
    virtual ~FileChangeWatcher() = default;

    void SetTarget(framework::MessageTarget* target, framework::MessageId message, framework::LParam lParam);
    void SetFileEvents(FileEvents* events);
    bool SetFile(int index, const std::string& path);
    // Records the current state of every watched file that can be read, and watches them.
    void Start();
    // Records a state of the file the program itself read or wrote, or told the user of:
    // only a state that differs from it is reported.
    void Record(int index, const DiskStamp& stamp);
    // Records and reports a state that differs from the recorded one (also an older time).
    bool Check(int index);
    virtual bool Notify(int index);
    void OnActivateApp(bool active);
    // The file-system watch saw a write to a watched file or its folder.
    void OnFileEvent();

    int count() const { return static_cast<int>(m_names.size()); }
    bool armed() const { return m_armed; }
    const std::string& name(int index) const { return m_names.at(index); }
    FileTime time(int index) const;

private:
    bool m_armed = false;
    // A program starts in front of the user; the application's state changes tell otherwise.
    bool m_active = true;
    framework::MessageId m_message = 0;
    framework::LParam m_lParam = 0;
    framework::MessageTarget* m_target = nullptr;
    FileEvents* m_events = nullptr;
    std::vector<std::string> m_names;
    std::vector<std::optional<DiskStamp>> m_stamps;
};

} // namespace core
