#pragma once

#include <functional>
#include <string>

#include "framework/log_font.h"
#include "settings/dir_pair_history.h"
#include "settings/filter_list.h"
#include "settings/profile_section.h"

namespace settings {

// The options record every part of the program reads; section "options" of the
// settings file, with the "Font", "Filters", "dirs" and "AppColors" sections it owns.
// A freshly constructed record holds the defaults.
class AppSettings : public ProfileSection {
public:
    static constexpr int kMaxTabSize = 50;

    AppSettings();

    std::string tabString = std::string(4, ' '); // exactly TabSize blanks
    int UseTab = 1;
    int KillEndSpaces = 0;
    int Hidden = 0;
    int IgnoreBlanks = 0;
    int UseAlt = 1;
    std::string SrcDir;
    std::string DstDir;
    std::string DiffTool;
    framework::LogFont Font;
    int FontValid = 0;
    int RowHeight = -1;
    int EditDefault = 0;
    int MoveNext = 0;
    int Cool = 0;
    std::string FindText;
    std::string FilterString; // cache of Filters.filterText(); empty when stale
    int TabSize = 4;
    DirPairHistory Dirs;
    FilterList Filters;
    framework::LogFont CaptionFont; // filled by the platform layer; empty when unknown
    int Date = 0;
    int InlineChanges = 1; // mark the changed stretches inside changed lines in the panes
    std::string LegacyEncoding = "WINDOWS-1252"; // the 8-bit code page of files that are not UTF-8

    // Returns the previous TabSize. -1 changes nothing; anything above 50 taken as
    // unsigned (so every other negative value too) becomes 49.
    int SetTabSize(int n);
    // FilterString, built from Filters first when it is empty.
    const std::string& GetFilterString();
    // Lets edit change Filters, then drops the cached filter text.
    void EditFilters(const std::function<void(FilterList&)>& edit);

    // Load() and Save() (from ProfileSection) exchange everything with the settings file.
    void Exchange(bool save) override;

private:
    void exchangeOptions(bool save);
    void addDefaultFilters();
};

// The process-wide options record.
AppSettings& appSettings();

} // namespace settings
