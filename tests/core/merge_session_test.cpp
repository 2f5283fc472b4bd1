#include "core/merge_session.h"

#include <gtest/gtest.h>

#include <random>

#include "core/line_file.h"
#include "tests/core/random_edits.h"
#include "tests/support/temp_dir.h"

namespace {

using core::MergeChoice;
using core::MergePane;
using core::MergeSide;

const core::MergeLabels kLabels{.local = "L", .base = "B", .remote = "R"};
constexpr core::TextForm kForm{.tabSize = 4, .piece = false};

class MergeSession : public ::testing::Test {
protected:
    void load(std::string_view base, std::string_view local, std::string_view remote)
    {
        ASSERT_TRUE(m_files[0].load(m_dir.write("base", base), {}));
        ASSERT_TRUE(m_files[1].load(m_dir.write("local", local), {}));
        ASSERT_TRUE(m_files[2].load(m_dir.write("remote", remote), {}));
        m_session = std::make_unique<core::MergeSession>(m_files[0], m_files[1], m_files[2], core::TextOptions{});
    }

    core::MergeSession& session() { return *m_session; }

    // The row of the first chunk that is a conflict.
    std::int32_t firstConflictRow()
    {
        const std::optional<std::int32_t> row = session().nextChange(-1, true, true);
        EXPECT_TRUE(row.has_value());
        return row.value_or(0);
    }

    // The result as the choices say it, put together from the inputs' lines.
    std::string expectedResult()
    {
        const std::vector<MergeSide> sides[] = {
            /* Open */ {}, /* Automatic */ {}, {MergeSide::Local}, {MergeSide::Remote},
            {MergeSide::Local, MergeSide::Remote}, {MergeSide::Remote, MergeSide::Local}, {MergeSide::Base}};
        std::string out;
        for (std::int32_t index = 0; index < session().chunkCount(); ++index) {
            const core::MergeChunk& chunk = session().chunk(index);
            std::vector<MergeSide> taken = sides[int(session().choice(index))];
            if (session().choice(index) == MergeChoice::Automatic)
                taken = {chunk.kind == core::ChunkKind::RemoteOnly ? MergeSide::Remote : MergeSide::Local};
            for (MergeSide side : taken) {
                const core::LineRange lines = side == MergeSide::Local    ? chunk.local
                                              : side == MergeSide::Remote ? chunk.remote
                                                                          : chunk.base;
                for (std::int32_t line = lines.begin; line < lines.end; ++line)
                    out += session().merge().input(side).line(line);
            }
        }
        return out;
    }

    testing_support::TempDir m_dir;
    core::LineFile m_files[3];
    std::unique_ptr<core::MergeSession> m_session;
};

// Each input column shows every line of its input once, in order, and a chunk's rows hold
// all of its columns; random choices give the result their lines byte for byte, undoing
// every step gives back the merge's own result, and redoing them the chosen one.
TEST_F(MergeSession, ChoicesAlignRowsAndBuildTheResultUndoably)
{
    std::mt19937 random(27);
    const MergeChoice choices[] = {MergeChoice::Local, MergeChoice::Remote, MergeChoice::LocalThenRemote,
                                   MergeChoice::RemoteThenLocal, MergeChoice::Base};
    for (int t = 0; t < 150; ++t) {
        std::vector<std::string> base;
        for (int i = 0, lines = int(random() % 30); i < lines; ++i)
            base.push_back("line\t" + std::to_string(random() % 9));
        auto edit = [&](const char* tag) {
            return testing_support::joinedLines(testing_support::randomlyEdited(
                random, base, 5, [&](int i) { return std::string(tag) + " new " + std::to_string(i); },
                [&](int i) { return std::string(tag) + " changed " + std::to_string(i); }));
        };
        load(testing_support::joinedLines(base), edit("local"), edit("remote"));
        const std::pair<MergePane, MergeSide> columns[] = {
            {MergePane::Local, MergeSide::Local},
            {MergePane::Remote, MergeSide::Remote},
            {MergePane::Base, MergeSide::Base}};
        for (const auto& [pane, side] : columns) {
            std::int32_t next = 0;
            for (std::int32_t row = 0; row < session().rowCount(); ++row) {
                if (const std::optional<core::ResultLine> line = session().lineAt(pane, row)) {
                    ASSERT_EQ(line->line, next++) << "triple " << t << " row " << row;
                }
            }
            ASSERT_EQ(next, session().merge().input(side).count());
        }
        const std::string merged = session().resultBytes(kLabels);
        int steps = 0;
        for (std::int32_t index = 0; index < session().chunkCount(); ++index) {
            if (session().canTake(index) && (random() % 2 == 0 || session().choice(index) == MergeChoice::Open))
                steps += session().take(index, choices[random() % 5]);
        }
        ASSERT_EQ(session().openConflicts(), 0);
        const std::string chosen = session().resultBytes(kLabels);
        EXPECT_EQ(chosen, expectedResult()) << "triple " << t;
        EXPECT_EQ(session().modified(), steps > 0);
        for (int k = 0; k < steps; ++k)
            ASSERT_TRUE(session().undo());
        EXPECT_FALSE(session().undo());
        EXPECT_EQ(session().resultBytes(kLabels), merged) << "triple " << t;
        EXPECT_EQ(session().openConflicts(), session().merge().conflicts());
        EXPECT_FALSE(session().modified());
        while (session().redo()) {
        }
        EXPECT_EQ(session().resultBytes(kLabels), chosen) << "triple " << t;
    }
}

// An edited line keeps its tab and CR LF outside what was typed; a line typed into an open
// conflict's empty result row resolves it and ends as LOCAL's lines end; the last line keeps
// having no line end when the input it came from had none.
TEST_F(MergeSession, EditsKeepTheBytesAroundWhatWasTyped)
{
    load("a\r\nb\r\nc", "a\r\nB local\r\nc", "a\r\nB remote\r\nc");
    const std::int32_t conflict = firstConflictRow();
    EXPECT_EQ(session().text(MergePane::Result, conflict), "");
    ASSERT_TRUE(session().editLine(conflict, "typed", kForm, 0));
    EXPECT_EQ(session().openConflicts(), 0);
    EXPECT_EQ(session().resultBytes(kLabels), "a\r\ntyped\r\nc");

    load("\tone\r\ntwo\r\n", "\tone\r\ntwo\r\n", "\tone\r\nTWO\r\n");
    ASSERT_TRUE(session().editLine(0, "    ONE", kForm, 0));
    EXPECT_FALSE(session().editLine(0, "    ONE", kForm, 0));
    EXPECT_EQ(session().text(MergePane::Result, 0), "    ONE");
    EXPECT_EQ(session().resultBytes(kLabels), "\tONE\r\nTWO\r\n");
    ASSERT_TRUE(session().undo());
    EXPECT_EQ(session().resultBytes(kLabels), "\tone\r\nTWO\r\n");
}

// Saving with conflicts left writes them between git's markers, so nothing is lost.
TEST_F(MergeSession, OpenConflictsAreWrittenWithMarkers)
{
    load("a\nb\n", "a\nL\n", "a\nR\n");
    EXPECT_EQ(session().resultBytes(kLabels), "a\n<<<<<<< L\nL\n=======\nR\n>>>>>>> R\n");
    EXPECT_FALSE(session().take(0, MergeChoice::Local)) << "an unchanged chunk has nothing to take";
    EXPECT_FALSE(session().take(session().chunkAtRow(firstConflictRow()), MergeChoice::Automatic))
        << "a conflict has no automatic choice";
}

} // namespace
