#pragma once

#include <memory>
#include <string>
#include <string_view>

// The profile ("INI") functions: one settings file of [sections] and key=value lines.
// Section and key names are matched without regard to case and the first match wins;
// a missing file, section or key gives the caller's default. Writes keep every other
// line of the file as it was and replace the file atomically.
namespace framework {

// $BIVALO_INI, else $XDG_CONFIG_HOME/Bivalo.INI, else ~/.config/Bivalo.INI.
std::string settingsFilePath();

// Signed decimal: leading blanks and a sign allowed, stops at the first non-digit,
// no digits gives 0.
int readProfileInt(const std::string& file, std::string_view section, std::string_view key, int defaultValue);
std::string readProfileString(const std::string& file, std::string_view section, std::string_view key,
                              std::string_view defaultValue);

// False when the file could not be written; the old file is then untouched.
bool writeProfileInt(const std::string& file, std::string_view section, std::string_view key, int value);
bool writeProfileString(const std::string& file, std::string_view section, std::string_view key,
                        std::string_view value);

// Several writes to one file that replace it once, at commit: saving a whole section
// this way costs one file replacement instead of one per key.
class ProfileWriter {
public:
    explicit ProfileWriter(const std::string& file);
    ~ProfileWriter();
    ProfileWriter(const ProfileWriter&) = delete;
    ProfileWriter& operator=(const ProfileWriter&) = delete;

    void writeInt(std::string_view section, std::string_view key, int value);
    void writeString(std::string_view section, std::string_view key, std::string_view value);
    // False when the file could not be written; the old file is then untouched.
    bool commit();

private:
    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace framework
