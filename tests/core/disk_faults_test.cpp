#include <atomic>
#include <csignal>
#include <filesystem>
#include <thread>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/file_saver.h"
#include "core/row_editor.h"
#include "doc_test_fixture.h"
#include "framework/command_ids.h"
#include "framework/update_hints.h"
#include "tests/support/file_modes_obeyed.h"

namespace {

namespace fs = std::filesystem;
using namespace framework;
using core_testing::DocFixture;

// A disk that is full beyond `bytes` for every file this process writes, for as long as it
// lives: writes past it fail with EFBIG instead of killing the process.
class FullDisk {
public:
    explicit FullDisk(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit { bytes, m_old.rlim_max };
        m_active = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FullDisk()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;
    bool active() const { return m_active; }

private:
    rlimit m_old {};
    void (*m_oldHandler)(int) = nullptr;
    bool m_active = false;
};

std::string numberedLines(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "line number " + std::to_string(i) + "\n";
    return text;
}

class DiskFaults : public DocFixture {
protected:
    void edit(int side, int row, const std::string& text)
    {
        ASSERT_TRUE(core::RowEditor(doc.editPair(), side).setCellText(row, text).done);
    }
    std::vector<std::string> filesInFolder() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir.path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

// --- the disk fills up during a save ---------------------------------------------------------

using DiskFullDuringSave = DiskFaults;

TEST_F(DiskFullDuringSave, SaysSoKeepsTheFileAndTheChangesAndSavesOnceThereIsRoom)
{
    const std::string original = numberedLines(2000);
    loadPair(original, "x\n");
    edit(core::kSourceSide, 1, "edited");
    {
        const FullDisk disk(4096);
        ASSERT_TRUE(disk.active());
        EXPECT_TRUE(router.execute(ID_SAVE_SOURCE));
    }
    EXPECT_EQ(services.messageTexts(),
              std::vector<std::string>{"Failed to create file\n" + doc.source().path() + "\nFile too large"});
    EXPECT_EQ(dir.read("a.txt"), original);
    EXPECT_EQ(filesInFolder(), (std::vector<std::string>{"a.txt", "b.txt"})) << "no half-written file is left";
    EXPECT_EQ(doc.source().changes(), 1);
    EXPECT_TRUE(doc.isModified());
    EXPECT_TRUE(enabled(ID_SAVE_SOURCE));

    EXPECT_TRUE(router.execute(ID_SAVE_SOURCE));
    EXPECT_EQ(services.messageTexts().size(), 1u);
    EXPECT_EQ(dir.read("a.txt"), "line number 0\nedited\n" + original.substr(original.find("line number 2")));
    EXPECT_EQ(doc.source().changes(), 0);
}

TEST_F(DiskFullDuringSave, AtTheRescanPromptStopsTheRescanWithTheEditsShown)
{
    const std::string original = numberedLines(2000);
    loadPair("x\n", original);
    edit(core::kTargetSide, 0, "edited");
    services.answerMessage(MessageAnswer::Yes);
    {
        const FullDisk disk(4096);
        ASSERT_TRUE(disk.active());
        router.execute(ID_RESCAN);
    }
    ASSERT_EQ(services.messageTexts().size(), 2u);
    EXPECT_EQ(services.messageTexts()[1], "Failed to create file\n" + doc.destination().path() + "\nFile too large");
    EXPECT_EQ(std::count(view.hints.begin(), view.hints.end(), kHintCompared), 0) << "nothing was reloaded";
    EXPECT_EQ(text(doc.destination(), 0), "edited");
    EXPECT_EQ(doc.destination().changes(), 1);
    EXPECT_EQ(doc.undoStore().undoCount(), 1);
    EXPECT_EQ(dir.read("b.txt"), original);
}

TEST_F(DiskFullDuringSave, SaveAsPairLeavesTheOtherFileAndOffersNothingMore)
{
    const std::string original = numberedLines(10);
    loadPair(numberedLines(2000), original);
    services.answerMessage(MessageAnswer::Yes); // quit afterwards
    {
        const FullDisk disk(4096);
        ASSERT_TRUE(disk.active());
        doc.saveAsPair(doc.source());
    }
    ASSERT_EQ(services.messageTexts().size(), 2u);
    EXPECT_EQ(services.messageTexts()[1], "Failed to create file\n" + doc.destination().path() + "\nFile too large");
    EXPECT_EQ(dir.read("b.txt"), original);
    EXPECT_TRUE(host.window.posted.empty()) << "the program does not quit over a failed save";
}

TEST_F(DiskFullDuringSave, AHardLinkedFileKeepsItsOldBytesUnderEveryNameAndNoCopyIsLeft)
{
    const std::string original = numberedLines(200);
    loadPair(original, "x\n");
    fs::create_hard_link(dir.file("a.txt"), dir.file("a link.txt"));
    const std::string longLine(2048, 'e');
    edit(core::kSourceSide, 1, longLine);
    {
        // Room for a copy of the old file, not for the new one.
        const FullDisk disk(original.size() + 1024);
        ASSERT_TRUE(disk.active());
        EXPECT_TRUE(router.execute(ID_SAVE_SOURCE));
    }
    EXPECT_EQ(services.messageTexts(),
              std::vector<std::string>{"Failed to create file\n" + dir.file("a.txt") + "\nFile too large"});
    EXPECT_EQ(dir.read("a.txt"), original);
    EXPECT_EQ(dir.read("a link.txt"), original);
    EXPECT_TRUE(fs::equivalent(dir.file("a.txt"), dir.file("a link.txt")));
    EXPECT_EQ(filesInFolder(), (std::vector<std::string>{"a link.txt", "a.txt", "b.txt"}));
    EXPECT_EQ(doc.source().changes(), 1);

    EXPECT_TRUE(router.execute(ID_SAVE_SOURCE));
    const std::string saved = "line number 0\n" + longLine + "\n" + original.substr(original.find("line number 2"));
    EXPECT_EQ(dir.read("a.txt"), saved);
    EXPECT_EQ(dir.read("a link.txt"), saved);
    EXPECT_EQ(filesInFolder(), (std::vector<std::string>{"a link.txt", "a.txt", "b.txt"}));
}

// --- the file goes away or changes kind between load and rescan ------------------------------

enum class Fault { Deleted, Folder, Unreadable };

// What the system says of each fault.
const char* reasonOf(Fault fault)
{
    static const char* const reasons[] = {"No such file or directory", "Is a directory", "Permission denied"};
    return reasons[static_cast<int>(fault)];
}

struct FaultCase {
    Fault fault;
    int side;
};

std::string PrintTo(const FaultCase& c)
{
    static const char* const names[] = {"Deleted", "Folder", "Unreadable"};
    return std::string(names[static_cast<int>(c.fault)]) + (c.side == core::kSourceSide ? "Source" : "Destination");
}

class FileGoneBeforeRescan : public DiskFaults, public ::testing::WithParamInterface<FaultCase> {
protected:
    void breakFile(const std::string& path)
    {
        switch (GetParam().fault) {
        case Fault::Deleted:
            fs::remove(path);
            break;
        case Fault::Folder:
            fs::remove(path);
            fs::create_directory(path);
            break;
        case Fault::Unreadable:
            ASSERT_EQ(::chmod(path.c_str(), 0), 0);
            break;
        }
    }
};

TEST_P(FileGoneBeforeRescan, IsReportedAndThePairWithItsEditsStays)
{
    const int side = GetParam().side;
    loadPair("a\nb\nc\n", "a\nB\nc\n");
    edit(side, 1, "edited");
    const std::string brokenPath = doc.file(side).path();
    const core::RowMap rowsBefore = doc.rows(side);
    breakFile(brokenPath);
    services.answerMessage(MessageAnswer::No);
    {
        const testing_support::FileModesObeyed modes;
        if (GetParam().fault == Fault::Unreadable && !modes.active())
            GTEST_SKIP() << "runs as root and may not give up reading every file";
        router.execute(ID_RESCAN);
    }

    ASSERT_EQ(services.messageTexts().size(), 2u);
    const std::string first = side == core::kSourceSide ? "Source File Not Found!" : "Destination File Not Found!";
    EXPECT_EQ(services.messageTexts()[1], first + "\n" + brokenPath + "\n" + reasonOf(GetParam().fault));
    EXPECT_EQ(doc.rows(side), rowsBefore);
    EXPECT_EQ(doc.rowCount(), 3);
    EXPECT_EQ(text(doc.file(side), 1), "edited");
    EXPECT_EQ(text(doc.file(core::otherSide(side)), 0), "a");
    EXPECT_EQ(doc.file(side).path(), brokenPath);
    EXPECT_EQ(doc.file(side).changes(), 1);
    EXPECT_TRUE(doc.isModified());

    ASSERT_EQ(doc.undoStore().undoCount(), 1) << "the edit can still be undone";
    router.execute(ID_UNDO);
    EXPECT_EQ(text(doc.file(side), 1), side == core::kSourceSide ? "b" : "B");
}

INSTANTIATE_TEST_SUITE_P(EachFaultOnEachSide, FileGoneBeforeRescan,
                         ::testing::Values(FaultCase {Fault::Deleted, core::kSourceSide},
                                           FaultCase {Fault::Deleted, core::kTargetSide},
                                           FaultCase {Fault::Folder, core::kSourceSide},
                                           FaultCase {Fault::Folder, core::kTargetSide},
                                           FaultCase {Fault::Unreadable, core::kSourceSide},
                                           FaultCase {Fault::Unreadable, core::kTargetSide}),
                         [](const auto& info) { return PrintTo(info.param); });

TEST_F(DiskFaults, KeptEditsOfADeletedFileAreSavedToANewFile)
{
    loadPair("a\nb\nc\n", "a\nB\nc\n");
    edit(core::kTargetSide, 1, "edited");
    fs::remove(dir.file("b.txt"));
    services.answerMessage(MessageAnswer::No);
    router.execute(ID_RESCAN);

    EXPECT_TRUE(router.execute(ID_SAVE_TARGET));
    EXPECT_EQ(dir.read("b.txt"), "a\nedited\nc\n");
}

TEST_F(DiskFaults, AFolderInPlaceOfTheFileIsNeitherReplacedNorCountedAsSaved)
{
    loadPair("a\nb\nc\n", "a\nB\nc\n");
    edit(core::kTargetSide, 1, "edited");
    fs::remove(dir.file("b.txt"));
    fs::create_directory(dir.file("b.txt"));

    router.execute(ID_SAVE_TARGET);
    EXPECT_EQ(services.messageTexts(),
              std::vector<std::string>{"Failed to create file\n" + doc.destination().path() + "\nIs a directory"});
    EXPECT_TRUE(fs::is_directory(dir.file("b.txt")));
    EXPECT_EQ(doc.destination().changes(), 1);
}

// --- a file that grows while it is read -----------------------------------------------------

// Appends numbered lines to a file, some of them in two writes, until told to stop or
// kMostLines are written.
class Appender {
public:
    explicit Appender(const std::string& path)
        : m_fd(::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC)), m_thread([this] { run(); })
    {
    }
    ~Appender()
    {
        stop();
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Appender(const Appender&) = delete;
    Appender& operator=(const Appender&) = delete;

    void stop()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
    }
    int linesWritten() const { return m_lines; }

private:
    void run()
    {
        for (int i = 0; !m_stop && m_fd >= 0 && i < kMostLines; ++i) {
            const std::string line = "appended line " + std::to_string(i) + " with some more text\n";
            const std::size_t half = i % 3 == 0 ? line.size() / 2 : line.size();
            writeAll(line.substr(0, half));
            writeAll(line.substr(half));
            m_lines = i + 1;
        }
    }
    void writeAll(std::string_view bytes) const
    {
        while (!bytes.empty()) {
            const ssize_t written = ::write(m_fd, bytes.data(), bytes.size());
            if (written <= 0)
                return;
            bytes.remove_prefix(static_cast<std::size_t>(written));
        }
    }

    static constexpr int kMostLines = 200000;

    int m_fd;
    std::atomic<bool> m_stop {false};
    std::atomic<int> m_lines {0};
    std::thread m_thread;
};

TEST(GrowingFile, LoadsAPrefixThatSavesBackAsThePrefixOfTheFinalFile)
{
    testing_support::TempDir dir;
    const std::string start = numberedLines(50000);
    const std::string path = dir.write("log.txt", start);
    std::vector<std::string> savedLoads;
    {
        Appender appender(path);
        while (appender.linesWritten() == 0)
            std::this_thread::yield();
        for (int round = 0; round < 4; ++round) {
            core::LineFile file;
            ASSERT_TRUE(file.load(path, {}));
            core::RowMap rows(static_cast<std::size_t>(file.count()));
            for (std::int32_t i = 0; i < file.count(); ++i)
                rows[static_cast<std::size_t>(i)] = i;
            const std::string copy = dir.file("copy" + std::to_string(round) + ".txt");
            ASSERT_TRUE(core::saveRows(file, rows, file.count(), copy, {}));
            savedLoads.push_back(testing_support::readFile(copy));
        }
        appender.stop();
        ASSERT_GT(appender.linesWritten(), 0);
    }
    const std::string final = testing_support::readFile(path);
    for (const std::string& saved : savedLoads) {
        ASSERT_GE(saved.size(), start.size());
        EXPECT_TRUE(final.starts_with(saved)) << "a load of " << saved.size() << " bytes";
    }
}

} // namespace
