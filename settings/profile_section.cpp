#include "settings/profile_section.h"

#include "framework/profile.h"

namespace settings {

ProfileSection::ProfileSection(std::string sectionName) : m_sectionName(std::move(sectionName)) {}

void ProfileSection::ExchangeInt(bool save, std::string_view key, int& value) const
{
    const std::string file = framework::settingsFilePath();
    if (save)
        framework::writeProfileInt(file, m_sectionName, key, value);
    else
        value = framework::readProfileInt(file, m_sectionName, key, value);
}

void ProfileSection::ExchangeString(bool save, std::string_view key, std::string& value) const
{
    const std::string file = framework::settingsFilePath();
    if (save)
        framework::writeProfileString(file, m_sectionName, key, value);
    else
        value = framework::readProfileString(file, m_sectionName, key, value);
}

} // namespace settings
