#pragma once

#include <string>
#include <string_view>

namespace framework {
class ProfileWriter;
}

namespace settings {

// One object that stores itself as one section of the settings file. Exchange(false)
// loads every value of the section, Exchange(true) writes every value. Values are read
// with the field's current value as the default, so a missing key never changes a field.
class ProfileSection {
public:
    explicit ProfileSection(std::string sectionName);
    virtual ~ProfileSection() = default;
    ProfileSection(const ProfileSection&) = default;
    ProfileSection& operator=(const ProfileSection&) = default;

    const std::string& sectionName() const { return m_sectionName; }

    virtual void Exchange(bool save) = 0;
    void Load() { Exchange(false); }
    // Writes the whole section, replacing the settings file once.
    void Save();

protected:
    void ExchangeInt(bool save, std::string_view key, int& value) const;
    void ExchangeString(bool save, std::string_view key, std::string& value) const;
    // Saves another section in the same replacement of the file as this one.
    void SaveAlongside(ProfileSection& other) const;

private:
    void saveThrough(framework::ProfileWriter* writer);

    std::string m_sectionName;
    framework::ProfileWriter* m_writer = nullptr; // set while a Save collects the writes
};

} // namespace settings
