#pragma once

#include <array>
#include <memory>
#include <random>
#include <string>
#include <sys/types.h>

#include "framework/update_hints.h"
#include "framework/view.h"
#include "tests/random/nasty_pair.h"
#include "tests/random/pair_model.h"
#include "tests/random/random_services.h"
#include "tests/random/random_steps.h"
#include "tests/support/fresh_settings.h"
#include "tests/support/temp_dir.h"

class CBivaloApp;
class CMainFrame;

namespace panes {
class CBivaloView;
}

namespace random_driver {

// The whole program as main() builds it, shown on the offscreen platform on a nasty pair in
// a folder of its own, driven a step at a time; after every step the invariants are checked.
class WindowDriver {
public:
    explicit WindowDriver(const NastyPair& pair);
    ~WindowDriver();
    WindowDriver(const WindowDriver&) = delete;
    WindowDriver& operator=(const WindowDriver&) = delete;

    // Starts the program on the pair; what went wrong, empty when all holds.
    std::string start();
    // Takes the step, then checks; "kind: what" of the first invariant that fails, else empty.
    std::string run(const Step& step);

private:
    // Size, time and inode of a file: a change that the driver did not make is a save.
    struct DiskStamp {
        off_t size = -1;
        long long nanoseconds = 0;
        ino_t inode = 0;
        bool operator==(const DiskStamp&) const = default;
    };
    static DiskStamp stampOf(const std::string& path);

    // Counts the document's comparisons: each one reads both files anew.
    struct CompareCount : framework::View {
        int count = 0;
        void onUpdate(framework::View*, int hint, void*) override { count += hint == framework::kHintCompared; }
    };

    CMainFrame& frame();
    core::CBivaloDoc& doc();
    panes::CBivaloView& pane(int side);
    void settle();
    void focusPane(int side, bool always);
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers);

    std::string take(const Step& step);
    void pressKey(const Step& step);
    void typeText(const Step& step);
    std::string undoAll();
    void changeOutside(const Step& step);

    OpenEdits openEdits();
    std::string check(const Step& step);
    std::string checkPanes();
    std::string checkCaption(int side);
    int savedLineNumber(int side, int row);
    std::string checkSaves();
    std::string checkSavedFile(const std::string& path, int side, const char* what);
    std::string checkOpenEdit(int side);
    void stampFiles();

    testing_support::FreshSettings m_freshSettings;
    testing_support::TempDir m_dir;
    std::string m_paths[2];
    RandomServices m_services;
    std::unique_ptr<CBivaloApp> m_app;
    PairModel m_model;
    CompareCount m_compares;
    std::array<DiskStamp, 2> m_stamps;
    int m_outsideChanges = 0;
    std::mt19937 m_random;
};

} // namespace random_driver
