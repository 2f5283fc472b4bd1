#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "core/line_file.h"
#include "settings/app_settings.h"

namespace testing_support {

// A file made of the given lines, built as the loader would build them.
inline core::LineFile fileOfLines(const std::vector<std::string>& lines)
{
    core::LineFile file;
    for (const std::string& line : lines)
        file.appendLine(line);
    return file;
}

inline core::LineFile fileOfLines(std::initializer_list<std::string_view> lines)
{
    core::LineFile file;
    for (const std::string_view line : lines)
        file.appendLine(line);
    return file;
}

// Keeps the options a test changes and gives them back afterwards.
class SettingsGuard {
public:
    SettingsGuard() : m_tabSize(settings::appSettings().TabSize), m_ignoreBlanks(settings::appSettings().IgnoreBlanks) {}
    ~SettingsGuard()
    {
        settings::appSettings().TabSize = m_tabSize;
        settings::appSettings().IgnoreBlanks = m_ignoreBlanks;
    }
    SettingsGuard(const SettingsGuard&) = delete;
    SettingsGuard& operator=(const SettingsGuard&) = delete;

private:
    int m_tabSize;
    int m_ignoreBlanks;
};

} // namespace testing_support
