#pragma once

#include <filesystem>
#include <string>

#include <QDialog>

#include "framework/services.h"

// The about box: the program icon, the version line and a link to the read-me file shipped
// with the program. The project has no web site or support address, so the read-me is the
// home page and there is no mail link.
class CAboutBox : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* kVersionFormat = "Bivalo \tVersion %s";

    // homePage empty: the icon and the home-page line are plain, without a link.
    CAboutBox(framework::Services& services, const std::string& homePage, QWidget* parent = nullptr);

    // The file:// address of the first read-me that exists: installed beside the program
    // (PREFIX/share/doc/bivalo), in the program's folder, in its parent (a build folder at the
    // top of the source tree), or in sourceFolder. Empty when there is none.
    static std::string readmeAddress(const std::filesystem::path& programFolder,
                                     const std::filesystem::path& sourceFolder);
    // readmeAddress for this program.
    static std::string homePage();

    static std::string versionLine();
};
