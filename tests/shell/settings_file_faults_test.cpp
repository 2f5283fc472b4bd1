#include <cstdlib>
#include <filesystem>
#include <random>

#include <sys/stat.h>

#include "framework/profile.h"
#include "tests/shell/running_app.h"
#include "tests/support/file_modes_obeyed.h"

namespace {

namespace fs = std::filesystem;
using testing_support::RunningApp;

// A settings file that misbehaves: the program starts on the defaults (or on what it could
// read) without a word, and at exit replaces nothing it could not read.
class SettingsFileFaults : public RunningApp {
protected:
    std::string ini() const { return framework::settingsFilePath(); }

    void writeIni(std::string_view bytes) const
    {
        std::FILE* out = std::fopen(ini().c_str(), "wb");
        ASSERT_NE(out, nullptr);
        std::fwrite(bytes.data(), 1, bytes.size(), out);
        std::fclose(out);
    }

    void runAndExit()
    {
        start({left, right});
        ASSERT_EQ(doc().rowCount(), 3) << "the pair opened";
        frame().close();
        app->exitInstance();
    }

    static void expectDefaultOptions()
    {
        const settings::AppSettings defaults;
        const settings::AppSettings& now = settings::appSettings();
        EXPECT_EQ(now.TabSize, defaults.TabSize);
        EXPECT_EQ(now.UseTab, defaults.UseTab);
        EXPECT_EQ(now.IgnoreBlanks, defaults.IgnoreBlanks);
        EXPECT_EQ(now.EditDefault, defaults.EditDefault);
        EXPECT_EQ(now.DiffTool, defaults.DiffTool);
        EXPECT_EQ(now.FontValid, defaults.FontValid);
        EXPECT_EQ(now.Filters.size(), 3) << "the default filters";
    }

    // Bytes of every value, line breaks, brackets and equal signs among them.
    static std::string garbage(std::size_t size)
    {
        std::mt19937 random(20261209);
        std::string bytes(size, '\0');
        for (char& byte : bytes)
            byte = static_cast<char>(random() % 256);
        for (std::size_t i = 0; i < size; i += 37)
            bytes[i] = "\n[=]\r;\"\t"[random() % 8];
        return bytes;
    }
};

TEST_F(SettingsFileFaults, GarbageGivesTheDefaultsSilentlyAndEveryGarbageByteStays)
{
    const std::string bytes = garbage(64 * 1024);
    writeIni(bytes);
    start({left, right});
    expectDefaultOptions();
    frame().close();
    app->exitInstance();

    EXPECT_TRUE(services.messages().empty());
    const std::string after = testing_support::readFile(ini());
    ASSERT_GE(after.size(), bytes.size());
    EXPECT_TRUE(after.starts_with(bytes)) << "sections are added after what was there";
    EXPECT_EQ(framework::readProfileInt(ini(), "options", "TabSize", -1), 4) << "and read back";
}

TEST_F(SettingsFileFaults, AFolderGivesTheDefaultsSilentlyAndStaysAFolder)
{
    fs::create_directory(ini());
    runAndExit();
    expectDefaultOptions();
    EXPECT_TRUE(services.messages().empty());
    EXPECT_TRUE(fs::is_directory(ini()));
    EXPECT_TRUE(fs::is_empty(ini()));
    fs::remove(ini());
}

TEST_F(SettingsFileFaults, AReadOnlyFileIsReadButNeverReplaced)
{
    const std::string bytes = "[options]\nTabSize=8\nIgnoreBlanks=1\n";
    writeIni(bytes);
    ASSERT_EQ(::chmod(ini().c_str(), 0444), 0);
    start({left, right});
    EXPECT_EQ(settings::appSettings().TabSize, 8);
    EXPECT_EQ(settings::appSettings().IgnoreBlanks, 1);
    settings::appSettings().SetTabSize(2);
    frame().close();
    app->exitInstance();

    EXPECT_TRUE(services.messages().empty());
    EXPECT_EQ(testing_support::readFile(ini()), bytes);
    struct stat status {};
    ASSERT_EQ(::stat(ini().c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0444u);
    ::chmod(ini().c_str(), 0600);
}

TEST_F(SettingsFileFaults, AnUnreadableFileGivesTheDefaultsSilentlyAndIsNotOverwritten)
{
    const std::string bytes = "[options]\nTabSize=8\n";
    writeIni(bytes);
    ASSERT_EQ(::chmod(ini().c_str(), 0200), 0);
    {
        const testing_support::FileModesObeyed modes;
        if (!modes.active())
            GTEST_SKIP() << "runs as root and may not give up reading every file";
        runAndExit();
        expectDefaultOptions();
    }
    EXPECT_TRUE(services.messages().empty());
    EXPECT_EQ(testing_support::readFile(ini()), bytes);
    ::chmod(ini().c_str(), 0600);
}

} // namespace
