#pragma once

#include <cstdlib>
#include <optional>
#include <string>

#include "tests/support/temp_dir.h"

namespace settings_testing {

// Points the settings file at a fresh file for the life of the object and gives the
// previous one back afterwards.
class SettingsFile {
public:
    SettingsFile() : m_path(m_dir.file("Bivalo.INI"))
    {
        if (const char* old = std::getenv("BIVALO_INI"))
            m_previous = old;
        ::setenv("BIVALO_INI", m_path.c_str(), 1);
    }
    ~SettingsFile()
    {
        if (m_previous)
            ::setenv("BIVALO_INI", m_previous->c_str(), 1);
        else
            ::unsetenv("BIVALO_INI");
    }
    SettingsFile(const SettingsFile&) = delete;
    SettingsFile& operator=(const SettingsFile&) = delete;

    const std::string& path() const { return m_path; }
    void write(std::string_view bytes) const { m_dir.write("Bivalo.INI", bytes); }
    std::string read() const { return m_dir.read("Bivalo.INI"); }

private:
    testing_support::TempDir m_dir;
    std::string m_path;
    std::optional<std::string> m_previous;
};

} // namespace settings_testing
