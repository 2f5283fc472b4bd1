#include <gtest/gtest.h>

#include <filesystem>

#include <QTest>
#include <QUrl>

#include "framework/scripted_services.h"
#include "shell/about_box.h"
#include "shell/link_static.h"
#include "framework/command_ids.h"
#include "tests/shell/running_app.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

std::string fileAddress(const fs::path& path)
{
    return QUrl::fromLocalFile(QString::fromStdString(fs::canonical(path).string())).toString().toStdString();
}

class ReadmeAddress : public ::testing::Test {
protected:
    fs::path folder(const fs::path& relative)
    {
        fs::create_directories(dir.path() / relative);
        return dir.path() / relative;
    }

    testing_support::TempDir dir;
};

TEST_F(ReadmeAddress, InstalledReadMeComesFirst)
{
    const fs::path program = folder("usr/bin");
    folder("usr/share/doc/bivalo");
    dir.write("usr/share/doc/bivalo/README.md", "installed\n");
    dir.write("usr/bin/README.md", "beside\n");
    EXPECT_EQ(CAboutBox::readmeAddress(program, {}), fileAddress(dir.path() / "usr/share/doc/bivalo/README.md"));
    // The installed window program sits two levels down, in libexec/bivalo/.
    EXPECT_EQ(CAboutBox::readmeAddress(folder("usr/libexec/bivalo"), {}),
              fileAddress(dir.path() / "usr/share/doc/bivalo/README.md"));
}

TEST_F(ReadmeAddress, BuildFolderAtTheTopOfTheSourcesFindsTheSourcesReadMe)
{
    const fs::path program = folder("top/build");
    dir.write("top/README.md", "top\n");
    EXPECT_EQ(CAboutBox::readmeAddress(program, {}), fileAddress(dir.path() / "top/README.md"));
}

TEST_F(ReadmeAddress, SourceFolderIsTheLastResortAndNothingGivesNoAddress)
{
    const fs::path program = folder("elsewhere/bin");
    const fs::path sources = folder("src");
    EXPECT_EQ(CAboutBox::readmeAddress(program, sources), "");
    dir.write("src/README.md", "sources\n");
    EXPECT_EQ(CAboutBox::readmeAddress(program, sources), fileAddress(sources / "README.md"));
}

TEST(AboutBox, VersionLineAndLinksToTheReadMe)
{
    framework::ScriptedServices services;
    const std::string home = CAboutBox::homePage();
    ASSERT_TRUE(home.starts_with("file://"));
    EXPECT_TRUE(fs::is_regular_file(QUrl(QString::fromStdString(home)).toLocalFile().toStdString()));

    CAboutBox box(services, home);
    EXPECT_EQ(CAboutBox::versionLine(), "Bivalo \tVersion 1.15");
    const QList<CLinkStatic*> links = box.findChildren<CLinkStatic*>();
    ASSERT_EQ(links.size(), 2);
    for (CLinkStatic* link : links)
        EXPECT_EQ(link->address(), home);
    QTest::mouseClick(links.back(), Qt::LeftButton);
    EXPECT_EQ(services.openedAddresses(), std::vector<std::string>{home});
}

TEST(AboutBox, WithoutAReadMeNothingIsALink)
{
    framework::ScriptedServices services;
    CAboutBox box(services, "");
    EXPECT_TRUE(box.findChildren<CLinkStatic*>().isEmpty());
}

using AboutCommand = testing_support::RunningApp;

TEST_F(AboutCommand, ShowsTheModalBoxWithItsLinksOverTheMainWindow)
{
    start({left, right});
    int links = -1;
    QWidget* owner = nullptr;
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        links = int(box->findChildren<CLinkStatic*>().size());
        owner = box->parentWidget();
        box->close();
    });
    EXPECT_TRUE(frame().routeCommand(framework::ID_APP_ABOUT));
    EXPECT_EQ(links, 2);
    EXPECT_EQ(owner, &frame());
}

} // namespace
