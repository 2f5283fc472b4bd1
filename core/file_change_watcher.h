#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "framework/messages.h"

namespace core {

// Notices that a watched file was written by another program while the application was
// inactive, and posts a message to its target for each such file. Driven by the application's
// activation: no thread, no timer.
class FileChangeWatcher {
public:
    using FileTime = std::filesystem::file_time_type;

    explicit FileChangeWatcher(int count = 1);
    virtual ~FileChangeWatcher() = default;

    void SetTarget(framework::MessageTarget* target, framework::MessageId message, framework::LParam lParam);
    bool SetFile(int index, const std::string& path);
    // Records the current write time of every watched file that can be read.
    void Start();
    // Records and reports a write time that differs from the recorded one (earlier or later).
    bool Check(int index);
    virtual bool Notify(int index);
    void OnActivateApp(bool active);

    int count() const { return static_cast<int>(m_names.size()); }
    bool armed() const { return m_armed; }
    const std::string& name(int index) const { return m_names.at(index); }
    FileTime time(int index) const { return m_times.at(index); }

private:
    bool m_armed = false;
    framework::MessageId m_message = 0;
    framework::LParam m_lParam = 0;
    framework::MessageTarget* m_target = nullptr;
    std::vector<std::string> m_names;
    std::vector<FileTime> m_times;
};

} // namespace core
