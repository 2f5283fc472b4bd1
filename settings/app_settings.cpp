#include "settings/app_settings.h"

#include "framework/profile.h"
#include "settings/color_table.h"

namespace settings {

namespace {

constexpr std::string_view kFontSection = "Font";
constexpr std::string_view kDefaultFaceName = "System";

// The longest prefix of name that fits a face name and does not cut a UTF-8 character.
std::string faceNameFrom(std::string name)
{
    std::size_t length = std::min(name.size(), framework::LogFont::kMaxFaceName);
    if (length < name.size()) {
        while (length > 0 && (static_cast<unsigned char>(name[length]) & 0xC0) == 0x80)
            --length;
    }
    name.resize(length);
    return name;
}

// The "Font" section; it has no object of its own, so it is exchanged field by field.
class FontSection : public ProfileSection {
public:
    FontSection(framework::LogFont& font, int& valid) : ProfileSection(std::string(kFontSection)), m_font(font), m_valid(valid) {}

    void Exchange(bool save) override { save ? saveFont() : loadFont(); }

private:
    void saveFont()
    {
        int height = m_font.Height;
        ExchangeInt(true, "Height", height);
        exchangeRest(true);
        std::string faceName = m_font.FaceName;
        ExchangeString(true, "FaceName", faceName);
    }

    void loadFont()
    {
        int height = 0;
        ExchangeInt(false, "Height", height);
        if (height == 0) {
            m_valid = 0;
            return;
        }
        framework::LogFont font;
        font.Height = height;
        m_font = font;
        exchangeRest(false);
        std::string faceName(kDefaultFaceName);
        ExchangeString(false, "FaceName", faceName);
        m_font.FaceName = faceNameFrom(std::move(faceName));
        m_valid = 1;
    }

    void exchangeRest(bool save)
    {
        exchangeSigned(save, "Width", m_font.Width);
        exchangeSigned(save, "Escapement", m_font.Escapement);
        exchangeSigned(save, "Orientation", m_font.Orientation);
        exchangeSigned(save, "Weight", m_font.Weight);
        exchangeByte(save, "Italic", m_font.Italic);
        exchangeByte(save, "Underline", m_font.Underline);
        exchangeByte(save, "StrikeOut", m_font.StrikeOut);
        exchangeByte(save, "CharSet", m_font.CharSet);
        exchangeByte(save, "OutPrecision", m_font.OutPrecision);
        exchangeByte(save, "ClipPrecision", m_font.ClipPrecision);
        exchangeByte(save, "Quality", m_font.Quality);
        exchangeByte(save, "PitchAndFamily", m_font.PitchAndFamily);
    }

    void exchangeSigned(bool save, std::string_view key, std::int32_t& field)
    {
        int value = field;
        ExchangeInt(save, key, value);
        field = value;
    }

    void exchangeByte(bool save, std::string_view key, std::uint8_t& field)
    {
        int value = field;
        ExchangeInt(save, key, value);
        field = static_cast<std::uint8_t>(value);
    }

    framework::LogFont& m_font;
    int& m_valid;
};

} // namespace

AppSettings::AppSettings() : ProfileSection("options")
{
    addDefaultFilters();
}

int AppSettings::SetTabSize(int n)
{
    const int previous = TabSize;
    if (n == -1)
        return previous;
    if (static_cast<unsigned>(n) > static_cast<unsigned>(kMaxTabSize))
        n = kMaxTabSize - 1;
    TabSize = n;
    tabString.assign(static_cast<std::size_t>(n), ' ');
    return previous;
}

const std::string& AppSettings::GetFilterString()
{
    if (FilterString.empty())
        FilterString = Filters.filterText();
    return FilterString;
}

void AppSettings::EditFilters(const std::function<void(FilterList&)>& edit)
{
    edit(Filters);
    FilterString.clear();
}

void AppSettings::Exchange(bool save)
{
    const int previousTabSize = TabSize;
    exchangeOptions(save);
    if (save) {
        if (FontValid) {
            FontSection font(Font, FontValid);
            SaveAlongside(font);
        }
        SaveAlongside(Filters);
        SaveAlongside(Dirs);
        SaveAlongside(colorTable());
        return;
    }
    FontSection(Font, FontValid).Load();
    if (DiffTool.empty())
        DiffTool = framework::readProfileString(framework::settingsFilePath(), "Global", "windiff", "");
    Filters.Load();
    if (Filters.empty())
        addDefaultFilters();
    FilterString.clear();
    Dirs.Load();
    colorTable().Load();
    // A stored -1 would leave TabSize at -1 beside a tab string of another length;
    // it keeps the size held before loading instead.
    const int loadedTabSize = TabSize;
    TabSize = previousTabSize;
    SetTabSize(loadedTabSize);
}

void AppSettings::exchangeOptions(bool save)
{
    ExchangeInt(save, "TabSize", TabSize);
    ExchangeInt(save, "UseTab", UseTab);
    ExchangeInt(save, "KillEndSpaces", KillEndSpaces);
    ExchangeInt(save, "Date", Date);
    ExchangeInt(save, "RowHeight", RowHeight);
    ExchangeInt(save, "EditDefault", EditDefault);
    ExchangeInt(save, "Hidden", Hidden);
    ExchangeInt(save, "MoveNext", MoveNext);
    ExchangeInt(save, "Cool", Cool);
    ExchangeInt(save, "IgnoreBlanks", IgnoreBlanks);
    ExchangeInt(save, "UseAlt", UseAlt);
    ExchangeInt(save, "InlineChanges", InlineChanges);
    ExchangeString(save, "SrcDir", SrcDir);
    ExchangeString(save, "DstDir", DstDir);
    ExchangeString(save, "DiffTool", DiffTool);
    ExchangeString(save, "LegacyEncoding", LegacyEncoding);
}

void AppSettings::addDefaultFilters()
{
    Filters.append(FileFilter("C++ files (cpp/h/rc/inl)", "*.cpp *.h *.rc *.inl"));
    Filters.append(FileFilter("Text files (me/txt)", "*.me *.txt"));
    Filters.append(FileFilter("All Files", "*.*"));
}

AppSettings& appSettings()
{
    static AppSettings settings;
    return settings;
}

} // namespace settings
