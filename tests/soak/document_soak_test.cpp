#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <malloc.h>

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer's allocator keeps its own books; g++ ships no header for them.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

#include "core/bivalo_doc.h"
#include "core/document_host.h"
#include "core/row_editor.h"
#include "core/side.h"
#include "framework/command_ids.h"
#include "framework/command_router.h"
#include "framework/scripted_services.h"
#include "settings/app_settings.h"
#include "tests/support/fresh_settings.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace framework;

constexpr int kLines = 100000;
constexpr int kSteps = 100000;

// BIVALO_SOAK_STEPS shortens (or lengthens) a run while working on the soak itself.
int stepsToRun()
{
    const char* steps = std::getenv("BIVALO_SOAK_STEPS");
    return steps && *steps ? std::atoi(steps) : kSteps;
}
// The edits between two rescans hold their lines, records and undo entries; beyond that,
// room that grows in steps (record chunks, row maps) may be taken once.
constexpr std::size_t kRoomSteps = 4u << 20;
constexpr std::size_t kHeldPerTouchedRow = 1024;

// Whatever the host would do happens nowhere: the soak drives the document alone.
struct SilentHost : core::DocumentHost {
    struct NoWindow : MessageTarget {
        void post(MessageId, WParam, LParam) override {}
    } window;

    MessageTarget& mainWindow() override { return window; }
    void dispatchPendingMessages() override {}
    void focusActiveView() override {}
    bool runOptionsDialog() override { return false; }
    bool createFont(const LogFont&) override { return false; }
    void runEasyJoin() override {}
    bool offers(CommandId) const override { return true; }
};

// Bytes the allocator has handed out and not yet had back.
std::size_t heapInUse()
{
#if defined(__SANITIZE_ADDRESS__)
    return __sanitizer_get_current_allocated_bytes();
#else
    const struct mallinfo2 info = ::mallinfo2();
    return info.uordblks + info.hblkhd;
#endif
}

std::size_t statusKilobytes(const char* field)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with(field))
            return std::strtoull(line.c_str() + std::char_traits<char>::length(field), nullptr, 10);
    }
    return 0;
}

std::string pairLine(std::mt19937& random, int number)
{
    static const char* const words[] = {"alpha", "beta", "gamma", "delta", "return x;", "{", "}", "int i = 0;"};
    std::string line = "line " + std::to_string(number);
    for (std::uint32_t n = random() % 4; n > 0; --n)
        line += std::string(" ") + words[random() % 8];
    return line;
}

// Equal bytes, or where they part, with some context: a failure must not print (or diff)
// two files of a hundred thousand lines.
::testing::AssertionResult sameBytes(const std::string& actual, const std::string& expected)
{
    if (actual == expected)
        return ::testing::AssertionSuccess();
    const auto parting = std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
    const std::size_t at = static_cast<std::size_t>(parting.first - actual.begin());
    const std::size_t from = at < 200 ? 0 : at - 200;
    return ::testing::AssertionFailure() << "sizes " << actual.size() << " and " << expected.size()
                                         << ", first difference at byte " << at << "\nactual:   ...\n"
                                         << actual.substr(from, 300) << "\nexpected: ...\n" << expected.substr(from, 300);
}

class DocumentSoak : public ::testing::Test {
protected:
    DocumentSoak()
    {
        settings::appSettings().UseTab = 0;
        router.setDocument(&doc);
    }

    // Two files of kLines lines that differ in about one line in twenty.
    void writePair()
    {
        std::string source;
        std::string target;
        for (int i = 0; i < kLines; ++i) {
            const std::string line = pairLine(random, i);
            source += line + "\n";
            target += (random() % 20 == 0 ? pairLine(random, i) + " changed" : line) + "\n";
        }
        disk[core::kSourceSide] = source;
        disk[core::kTargetSide] = target;
        paths[core::kSourceSide] = dir.write("source.txt", source);
        paths[core::kTargetSide] = dir.write("destination.txt", target);
    }

    // What saving the side must write: the lines its rows show, then the blank lines that
    // loading left off the end of the file. The soak's lines have no tabs, no trailing
    // blanks and LF line ends, so a line's bytes are its text.
    std::string bytesOfRows(int side)
    {
        const core::LineFile& file = doc.file(side);
        const core::RowMap& rows = doc.rows(side);
        std::string bytes;
        for (std::int32_t row = 0; row < doc.rowCount(); ++row) {
            if (const core::LineRecord* line = file.lineAt(rows[static_cast<std::size_t>(row)])) {
                bytes += line->text();
                bytes += '\n';
            }
        }
        return bytes + file.trailingLines();
    }

    int randomRow() { return static_cast<int>(random() % static_cast<std::uint32_t>(std::max(doc.rowCount(), 1))); }

    std::string typedText()
    {
        std::string text = "typed " + std::to_string(random() % 1000);
        if (random() % 10 == 0)
            text.clear();
        return text;
    }

    // One random edit of one side; returns the rows it touched, as far as they are known
    // before the edit.
    int edit()
    {
        core::RowEditor editor(doc.editPair(), static_cast<int>(random() % 2));
        const int row = randomRow();
        switch (random() % 8) {
        case 0:
        case 1: editor.setCellText(row, typedText()); return 1;
        case 2: editor.insertLine(row); return 1;
        case 3: editor.deleteLine(row); return 1;
        case 4: editor.removeRow(row); return 1;
        case 5: random() % 2 ? editor.copyLine(row) : editor.copyDifference(row); return 1;
        case 6: {
            std::vector<int> rows;
            for (int i = static_cast<int>(random() % 40); i >= 0; --i)
                rows.push_back(std::min(row + i, std::max(doc.rowCount() - 1, 0)));
            editor.cutRows(rows);
            return static_cast<int>(rows.size());
        }
        default: {
            std::vector<std::string> lines;
            for (int i = static_cast<int>(random() % 3); i >= 0; --i)
                lines.push_back(typedText());
            editor.pasteLines(row, lines, random() % 2 == 0);
            return static_cast<int>(lines.size());
        }
        }
    }

    // Save All, then the bytes of every side it saved are what its rows say.
    void saveAll()
    {
        const bool changed[2] = {doc.source().changes() != 0, doc.destination().changes() != 0};
        router.execute(ID_FILE_SAVE_ALL);
        ++saves;
        for (int side : {core::kSourceSide, core::kTargetSide}) {
            if (!changed[side])
                continue;
            disk[side] = testing_support::readFile(paths[side]);
            ASSERT_TRUE(sameBytes(disk[side], bytesOfRows(side))) << "side " << side << " after save " << saves;
            ASSERT_EQ(doc.file(side).changes(), 0);
        }
    }

    // Rescan without saving: each side shows its file as last saved, and the memory the
    // edits held is given back.
    void rescan()
    {
        doc.setSkipSavePrompt(true);
        router.execute(ID_RESCAN);
        ++rescans;
        for (int side : {core::kSourceSide, core::kTargetSide})
            ASSERT_TRUE(sameBytes(bytesOfRows(side), disk[side])) << "side " << side << " after rescan " << rescans;
        ASSERT_EQ(doc.undoStore().undoCount(), 0);
        checkMemoryOfAFreshPair();
    }

    // The pair takes what a pair of these sizes took at the start, give or take a tenth.
    void checkMemoryOfAFreshPair()
    {
        const double scale = double(disk[0].size() + disk[1].size()) / double(startBytes);
        const std::size_t inUse = heapInUse();
        ASSERT_LE(double(inUse), double(startInUse) * scale * 1.1 + double(kRoomSteps))
            << "after rescan " << rescans;
        heapAtRescan = inUse;
        touchedSinceRescan = 0;
    }

    void checkMemoryHeldByEdits()
    {
        ASSERT_LE(heapInUse(), heapAtRescan + kRoomSteps + touchedSinceRescan * kHeldPerTouchedRow)
            << "rows touched since the last rescan: " << touchedSinceRescan;
    }

    testing_support::FreshSettings freshSettings;
    std::mt19937 random {17};
    testing_support::TempDir dir;
    ScriptedServices services;
    SilentHost host;
    core::CBivaloDoc doc {services, host};
    CommandRouter router;
    std::string paths[2];
    std::string disk[2];
    std::size_t startBytes = 0;
    std::size_t startInUse = 0;
    std::size_t heapAtRescan = 0;
    std::size_t touchedSinceRescan = 0;
    int saves = 0;
    int rescans = 0;
};

TEST_F(DocumentSoak, RandomEditsUndosSavesAndRescansKeepDiskAndMemoryInLine)
{
    writePair();
    ASSERT_TRUE(doc.loadAndCompare(paths[0], paths[1]));
    // The yardstick is a pair as a rescan leaves it, with the soak's own buffers in use.
    ASSERT_TRUE(sameBytes(bytesOfRows(core::kSourceSide), disk[core::kSourceSide]));
    router.execute(ID_RESCAN);
    startBytes = disk[0].size() + disk[1].size();
    startInUse = heapInUse();
    heapAtRescan = startInUse;
    const auto started = std::chrono::steady_clock::now();

    const int steps = stepsToRun();
    int undos = 0;
    for (int step = 0; step < steps; ++step) {
        const std::uint32_t dice = random() % 100;
        if (dice < 70) {
            const std::int32_t linesBefore = doc.source().count() + doc.destination().count();
            const int touched = edit();
            // A copied difference appends as many lines as it copies.
            touchedSinceRescan += static_cast<std::size_t>(
                std::max(touched, doc.source().count() + doc.destination().count() - linesBefore));
        } else if (dice < 95) {
            router.execute(ID_UNDO);
            ++undos;
        } else if (dice < 98) {
            saveAll();
        } else {
            rescan();
        }
        if (HasFatalFailure())
            return;
        checkMemoryHeldByEdits();
        if (HasFatalFailure())
            return;
    }
    saveAll();
    rescan();

    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("soak: %d steps (%d undos, %d saves, %d rescans) in %.1f s; %d rows at the end; heap %zu MB "
                "at the start, %zu MB after the last rescan; peak resident %zu MB\n",
                steps, undos, saves, rescans, seconds, doc.rowCount(), startInUse >> 20, heapAtRescan >> 20,
                statusKilobytes("VmHWM:") >> 10);
}

} // namespace
