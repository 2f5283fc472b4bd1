#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "framework/command_ids.h"
#include "shell/load_progress_bar.h"
#include "shell/main_splitter.h"
#include "tests/shell/running_app.h"

namespace {

using testing_support::RunningApp;

// A source file that arrives as slowly as the test writes it: a named pipe, which a load
// reads beside the window however small it is.
class SlowSource {
public:
    explicit SlowSource(const std::string& path) : m_path(path)
    {
        EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0);
        // Read and write: the open does not wait for the reader.
        m_fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    }
    ~SlowSource() { finish(); }
    SlowSource(const SlowSource&) = delete;
    SlowSource& operator=(const SlowSource&) = delete;

    // No more than a pipe holds, so that the write never waits for the reader.
    void writeLines(int count)
    {
        std::string lines;
        for (int k = 0; k < count; ++k)
            lines += "slow line " + std::to_string(k) + "\n";
        ASSERT_EQ(::write(m_fd, lines.data(), lines.size()), static_cast<ssize_t>(lines.size()));
    }
    void finish()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
    int m_fd = -1;
};

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
    ASSERT_TRUE(QTest::qWaitFor([&] { return doc().loadProgress()->snapshot().done > 0; }, 5000));

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

} // namespace
