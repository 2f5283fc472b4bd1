#include <filesystem>

#include "framework/command_ids.h"
#include "shell/load_progress_bar.h"
#include "shell/main_splitter.h"
#include "tests/shell/merge_by_hand.h"
#include "tests/shell/slow_source.h"

namespace {

using testing_support::RunningApp;
using testing_support::SlowSource;

class LongLoad : public RunningApp {
protected:
    void startOnThePair()
    {
        start({left, right});
        QApplication::setActiveWindow(&frame());
    }
    bool loaded() { return QTest::qWaitFor([&] { return !doc().busy(); }, 10000); }
    CLoadProgressBar& progressBar() { return frame().loadProgressBar(); }
};

TEST_F(LongLoad, ProgressShowsWhatIsReadWhileTheWindowStaysUsable)
{
    startOnThePair();
    SlowSource source(dir.file("slow.txt"));
    source.writeLines(1000);
    frame().dropFiles({source.path(), right});
    ASSERT_TRUE(doc().busy());
    EXPECT_FALSE(frame().splitter().isEnabled());
    EXPECT_FALSE(frame().routeCommand(framework::ID_RESCAN)) << "no command acts on the pair being replaced";

    ASSERT_TRUE(QTest::qWaitFor([&] { return progressBar().isVisible(); }, 5000));
    EXPECT_EQ(progressBar().text(), "Reading slow.txt and right.txt: 0 MB");

    source.writeLines(10);
    source.finish();
    ASSERT_TRUE(loaded());
    EXPECT_FALSE(progressBar().isVisible());
    EXPECT_TRUE(frame().splitter().isEnabled());
    EXPECT_EQ(doc().source().path(), source.path());
    EXPECT_EQ(doc().source().count(), 1010);
}

TEST_F(LongLoad, EscapeStopsTheLoadAndThePreviousPairStays)
{
    startOnThePair();
    const core::RowMap rowsBefore = doc().sourceRows();
    SlowSource source(dir.file("slow.txt"));
    source.writeLines(1000);
    frame().dropFiles({source.path(), right});
    ASSERT_TRUE(QTest::qWaitFor([&] { return doc().workProgress()->snapshot().done > 0; }, 5000));

    QTest::keyClick(&frame(), Qt::Key_Escape);

    EXPECT_FALSE(doc().busy());
    EXPECT_EQ(doc().source().path(), left);
    EXPECT_EQ(doc().sourceRows(), rowsBefore);
    EXPECT_EQ(doc().source().lineAt(1)->text(), "b");
    EXPECT_TRUE(frame().splitter().isEnabled());
    EXPECT_FALSE(progressBar().isVisible());
    // Another pair opens at once, while the stopped load still waits for its pipe.
    const std::string other = dir.write("other.txt", "x\n");
    frame().dropFiles({other, right});
    EXPECT_EQ(doc().source().path(), other);
    source.finish();
}

TEST_F(LongLoad, AQuietWindowRunsNoTimer)
{
    startOnThePair();
    // Let what the start-up set going (the bars' refresh) run out.
    QTest::qWait(500);
    struct TimerCount : QObject {
        int ticks = 0;
        bool eventFilter(QObject*, QEvent* event) override
        {
            ticks += event->type() == QEvent::Timer ? 1 : 0;
            return false;
        }
    } timers;
    qApp->installEventFilter(&timers);
    QTest::qWait(1500);
    qApp->removeEventFilter(&timers);
    EXPECT_EQ(timers.ticks, 0);
}

// A pair of many rows, saved beside the window, whose target's first line is copied over
// from the source and not saved yet.
class LongSave : public testing_support::MergeByHand {
protected:
    void editTheTarget()
    {
        // Short lines: the pair itself loads at once.
        std::string lines;
        for (int k = 0; k < core::CBivaloDoc::kRowsSavedBeside; ++k)
            lines += std::to_string(k) + "\n";
        original = "other\n" + lines;
        edited = "first\n" + lines;
        left = dir.write("left.txt", edited);
        right = dir.write("right.txt", original);
        startShown();
        press(Qt::Key_F9);
        pane(2).goToRowCentred(0);
        press(Qt::Key_Right, Qt::AltModifier);
        ASSERT_TRUE(doc().isModified());
    }
    void saveTheTarget() { frame().routeCommand(framework::ID_SAVE_TARGET, framework::CommandOrigin::Menu); }

    std::string original;
    std::string edited;
};

TEST_F(LongSave, EscapeStopsItBeforeTheFileIsReplacedAndTheNextSaveWritesIt)
{
    editTheTarget();
    bool refused = false;
    // Runs inside the save, once its writing has started beside the window.
    QTimer::singleShot(0, [&] {
        refused = !frame().routeCommand(framework::ID_RESCAN);
        QTest::keyClick(&frame(), Qt::Key_Escape);
    });
    saveTheTarget();

    EXPECT_TRUE(refused) << "no command acts on the rows being written";
    EXPECT_EQ(testing_support::readFile(right), original);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2) << "no half-written file is left";
    EXPECT_TRUE(services.messageTexts().empty()) << "a stop is no failure";
    EXPECT_NE(doc().destination().changes(), 0);
    EXPECT_TRUE(frame().splitter().isEnabled());

    saveTheTarget();
    EXPECT_EQ(testing_support::readFile(right), edited);
    EXPECT_EQ(doc().destination().changes(), 0);
}

} // namespace
