#include <gtest/gtest.h>

#include <memory>

#include <QApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QWidget>

#include "framework/profile.h"
#include "shell/history_combo.h"
#include "shell/window_placement.h"

namespace {

using shell::WindowPlacement;

std::string ini()
{
    return framework::settingsFilePath();
}

int readInt(const std::string& section, const std::string& key, int fallback = -99)
{
    return framework::readProfileInt(ini(), section, key, fallback);
}

TEST(WindowPlacement, NothingStoredMeansNoPlacement)
{
    QWidget window;
    EXPECT_FALSE(WindowPlacement::restore("NoSuchWindow", window));
    WindowPlacement placement;
    EXPECT_FALSE(placement.load("NoSuchWindow"));
    EXPECT_EQ(placement.showCmd, -1);
}

TEST(WindowPlacement, SavesTheTenKeysAndLoadsThemBack)
{
    WindowPlacement saved;
    saved.showCmd = WindowPlacement::SW_SHOWNORMAL;
    saved.flags = 0;
    saved.minX = -1;
    saved.minY = -1;
    saved.maxX = 7;
    saved.maxY = 8;
    saved.left = 10;
    saved.top = 20;
    saved.right = 410;
    saved.bottom = 320;
    saved.save("PlacedWindow");
    for (const char* key : {"wp.showCmd", "wp.flags", "wp.ptMinPosition.x", "wp.ptMinPosition.y",
                            "wp.ptMaxPosition.x", "wp.ptMaxPosition.y", "wp.left", "wp.right", "wp.top", "wp.bottom"})
        EXPECT_NE(readInt("PlacedWindow", key), -99) << key;
    EXPECT_EQ(readInt("PlacedWindow", "wp.right"), 410);

    WindowPlacement loaded;
    ASSERT_TRUE(loaded.load("PlacedWindow"));
    EXPECT_EQ(loaded.left, 10);
    EXPECT_EQ(loaded.top, 20);
    EXPECT_EQ(loaded.right, 410);
    EXPECT_EQ(loaded.bottom, 320);
    EXPECT_EQ(loaded.minX, -1);
    EXPECT_EQ(loaded.maxY, 8);
}

TEST(WindowPlacement, MissingKeysKeepTheRecordsValues)
{
    framework::writeProfileInt(ini(), "Partial", "wp.showCmd", 1);
    WindowPlacement placement;
    placement.left = 5;
    ASSERT_TRUE(placement.load("Partial"));
    EXPECT_EQ(placement.left, 5);
    EXPECT_EQ(placement.length, 44);
}

TEST(WindowPlacement, RectangleOffThePrimaryScreenIsNotUsed)
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    WindowPlacement gone;
    gone.showCmd = WindowPlacement::SW_SHOWNORMAL;
    gone.left = screen.width() + 100;    // a second monitor that is not there any more
    gone.right = gone.left + 300;
    gone.top = 10;
    gone.bottom = 210;
    gone.save("GoneMonitor");
    QWidget window;
    EXPECT_FALSE(WindowPlacement::restore("GoneMonitor", window));

    EXPECT_TRUE(gone.overlapsScreen(gone.left + 1, 300));
    EXPECT_FALSE(gone.overlapsScreen(gone.left, 300));
}

TEST(WindowPlacement, RestoreAppliesRectangleAndState)
{
    WindowPlacement stored;
    stored.showCmd = WindowPlacement::SW_SHOWMAXIMIZED;
    stored.left = 30;
    stored.top = 40;
    stored.right = 330;
    stored.bottom = 240;
    stored.save("MaxWindow");
    QWidget window;
    ASSERT_TRUE(WindowPlacement::restore("MaxWindow", window));
    EXPECT_TRUE(window.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(window.geometry().size(), QSize(300, 200));
}

TEST(WindowPlacement, MinimizedStateRoundTrips)
{
    QWidget window;
    window.setGeometry(50, 60, 320, 240);
    window.setWindowState(Qt::WindowMinimized);
    WindowPlacement::saveOf("MinWindow", window);
    EXPECT_EQ(readInt("MinWindow", "wp.showCmd"), WindowPlacement::SW_SHOWMINIMIZED);

    QWidget next;
    ASSERT_TRUE(WindowPlacement::restore("MinWindow", next));
    EXPECT_TRUE(next.windowState() & Qt::WindowMinimized);
    EXPECT_EQ(next.geometry().size(), QSize(320, 240));
}

TEST(WindowPlacement, FirstStartGeometryIsThreeQuartersCentredWithinLimits)
{
    // A large screen below a 32-pixel panel: three quarters, centred in what is left.
    EXPECT_EQ(shell::firstStartGeometry(QRect(0, 32, 1920, 1048)), QRect(240, 163, 1440, 786));
    // A small one: never under 800 x 560.
    EXPECT_EQ(shell::firstStartGeometry(QRect(0, 0, 1024, 640)), QRect(112, 40, 800, 560));
    // A tiny one: never over the screen.
    EXPECT_EQ(shell::firstStartGeometry(QRect(0, 0, 640, 480)), QRect(0, 0, 640, 480));
    // A second screen to the right of the first.
    EXPECT_EQ(shell::firstStartGeometry(QRect(1920, 0, 2560, 1440)), QRect(2240, 180, 1920, 1080));
}

class HistoryComboTest : public ::testing::Test {
protected:
    void search(CHistoryCombo& combo, const char* text)
    {
        combo.setEditText(text);
        combo.addCurrentText();
    }
};

TEST_F(HistoryComboTest, MostRecentFirstAndCaseInsensitiveDuplicatesSelectTheOld)
{
    CHistoryCombo combo;
    combo.loadHistory("Order");
    search(combo, "abc");
    search(combo, "def");
    search(combo, "ABC");
    ASSERT_EQ(combo.count(), 2);
    EXPECT_EQ(combo.itemText(0), "def");
    EXPECT_EQ(combo.itemText(1), "abc");
    EXPECT_EQ(combo.currentIndex(), 1);
}

TEST_F(HistoryComboTest, EmptyTextAddsNothing)
{
    CHistoryCombo combo;
    combo.loadHistory("Empty");
    search(combo, "");
    EXPECT_EQ(combo.count(), 0);
}

TEST_F(HistoryComboTest, WritesAtMostTenOnDestructionAndReadsThemBack)
{
    {
        CHistoryCombo combo;
        combo.loadHistory("Find");
        for (int i = 0; i < 11; ++i)
            search(combo, ("text" + std::to_string(i)).c_str());
        combo.setEditText("last");    // added when the box goes away
    }
    EXPECT_EQ(readInt("Combos", "Combo_Find"), 10);
    EXPECT_EQ(framework::readProfileString(ini(), "Combos", "Combo_Find0", ""), "last");
    EXPECT_EQ(framework::readProfileString(ini(), "Combos", "Combo_Find9", ""), "text2");
    EXPECT_EQ(framework::readProfileString(ini(), "Combos", "Combo_Find10", "none"), "none");
    EXPECT_EQ(readInt("Combos", "Combo_Find!"), 0);

    CHistoryCombo next;
    next.loadHistory("Find");
    ASSERT_EQ(next.count(), 10);
    EXPECT_EQ(next.itemText(0), "last");
    EXPECT_EQ(next.currentIndex(), 0);
}

TEST_F(HistoryComboTest, StoresTheSelectedIndexInItsOwnSection)
{
    {
        CHistoryCombo combo;
        combo.loadHistory("Sel", "Other");
        search(combo, "one");
        search(combo, "two");
        search(combo, "ONE");
    }
    EXPECT_EQ(framework::readProfileInt(ini(), "Other", "Combo_Sel!", -5), 1);
    EXPECT_EQ(framework::readProfileInt(ini(), "Combos", "Combo_Sel", -5), -5);
}

TEST_F(HistoryComboTest, WithoutLoadedHistoryNothingIsWritten)
{
    {
        CHistoryCombo combo;
        combo.setEditText("never");
    }
    EXPECT_EQ(framework::readProfileString(ini(), "Combos", "Combo_0", "none"), "none");
}

TEST_F(HistoryComboTest, LosingTheFocusAddsTheText)
{
    QWidget window;
    auto* combo = new CHistoryCombo(&window);
    auto* other = new QLineEdit(&window);
    combo->loadHistory("Focus");
    window.show();
    QApplication::setActiveWindow(&window);
    combo->setFocus();
    combo->setEditText("typed");
    other->setFocus();
    QApplication::processEvents();
    ASSERT_EQ(combo->count(), 1);
    EXPECT_EQ(combo->itemText(0), "typed");
}

TEST_F(HistoryComboTest, TakesTheClipboardKeysBeforeTheAccelerators)
{
    EXPECT_TRUE(CHistoryCombo::takesKey(Qt::Key_C, Qt::ControlModifier));
    EXPECT_TRUE(CHistoryCombo::takesKey(Qt::Key_Insert, Qt::ControlModifier));
    EXPECT_TRUE(CHistoryCombo::takesKey(Qt::Key_Insert, Qt::ShiftModifier));
    EXPECT_TRUE(CHistoryCombo::takesKey(Qt::Key_X, Qt::ControlModifier));
    EXPECT_FALSE(CHistoryCombo::takesKey(Qt::Key_F, Qt::ControlModifier));
    EXPECT_FALSE(CHistoryCombo::takesKey(Qt::Key_Insert, Qt::NoModifier));
}

} // namespace
