#pragma once

#include <string>
#include <string_view>

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
    void Save() { Exchange(true); }

protected:
    void ExchangeInt(bool save, std::string_view key, int& value) const;
    void ExchangeString(bool save, std::string_view key, std::string& value) const;

private:
    std::string m_sectionName;
};

} // namespace settings
