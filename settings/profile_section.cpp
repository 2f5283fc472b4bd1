#include "settings/profile_section.h"

#include "framework/profile.h"

namespace settings {

ProfileSection::ProfileSection(std::string sectionName) : m_sectionName(std::move(sectionName)) {}

void ProfileSection::Save()
{
    framework::ProfileWriter writer(framework::settingsFilePath());
    saveThrough(&writer);
    writer.commit();
}

void ProfileSection::SaveAlongside(ProfileSection& other) const
{
    if (m_writer)
        other.saveThrough(m_writer);
    else
        other.Save();
}

void ProfileSection::saveThrough(framework::ProfileWriter* writer)
{
    struct Reset {
        framework::ProfileWriter*& writer;
        ~Reset() { writer = nullptr; }
    } reset{m_writer};
    m_writer = writer;
    Exchange(true);
}

void ProfileSection::ExchangeInt(bool save, std::string_view key, int& value) const
{
    if (save && m_writer)
        m_writer->writeInt(m_sectionName, key, value);
    else if (save)
        framework::writeProfileInt(framework::settingsFilePath(), m_sectionName, key, value);
    else
        value = framework::readProfileInt(framework::settingsFilePath(), m_sectionName, key, value);
}

void ProfileSection::ExchangeString(bool save, std::string_view key, std::string& value) const
{
    if (save && m_writer)
        m_writer->writeString(m_sectionName, key, value);
    else if (save)
        framework::writeProfileString(framework::settingsFilePath(), m_sectionName, key, value);
    else
        value = framework::readProfileString(framework::settingsFilePath(), m_sectionName, key, value);
}

} // namespace settings
