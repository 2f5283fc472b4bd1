#include <gtest/gtest.h>

#include <QApplication>
#include <QPalette>

#include "framework/profile.h"
#include "panes/bivalo_view.h"
#include "platform/color_ref.h"
#include "settings/color_table.h"
#include "shell/color_status_bar.h"
#include "tests/shell/running_app.h"

namespace {

using framework::ColorRef;
using settings::ColorTheme;

// The program under a desktop palette that the test switches, light or dark, as a desktop
// does when its user picks another theme; the table and the palette are put back after.
class DesktopTheme : public testing_support::RunningApp {
protected:
    ~DesktopTheme() override
    {
        QApplication::setPalette(m_desktopPalette);
        settings::colorTable().setTheme(ColorTheme::Light);
        settings::colorTable().reset();
    }

    static void switchDesktopTo(const QColor& window)
    {
        QApplication::setPalette(QPalette(window));
        QApplication::processEvents();
    }

    // A pixel near the right end of a row of the source pane, where no text lies.
    ColorRef rowBackground(int row)
    {
        grid::TCellTableBox& grid = *frame().activeView()->grid();
        const QImage image = grid.grab().toImage();
        const QRect cell = grid.cellRect(0, row).translated(grid.clientArea().topLeft());
        return platform::toColorRef(image.pixelColor(std::min(cell.right(), image.width() - 20), cell.center().y()));
    }

    // The middle of a legend pane of the status bar, beside its text.
    ColorRef legendBackground(int pane)
    {
        CColorStatusBar& bar = frame().statusBar();
        const QRect rect = bar.paneRect(pane);
        return platform::toColorRef(bar.grab().toImage().pixelColor(rect.left() + 2, rect.center().y()));
    }

private:
    QPalette m_desktopPalette = QApplication::palette();
};

TEST_F(DesktopTheme, ADarkDesktopGivesPanesAndLegendTheDarkTableAndALightOneTheLightTable)
{
    start({left, right});    // rows: same, changed, same
    const settings::ColorScheme& dark = settings::defaultScheme(ColorTheme::Dark);
    const settings::ColorScheme& light = settings::defaultScheme(ColorTheme::Light);
    ASSERT_EQ(rowBackground(1), light.background[settings::kChangedEntry]);

    switchDesktopTo(QColor(0x2A, 0x2A, 0x2A));
    EXPECT_EQ(rowBackground(0), dark.background[settings::kSameEntry]);
    EXPECT_EQ(rowBackground(1), dark.background[settings::kChangedEntry]);
    EXPECT_EQ(legendBackground(CMainFrame::kFirstLegendPane), dark.background[settings::kSourceOnlyEntry]);

    switchDesktopTo(QColor(0xEF, 0xEF, 0xEF));
    EXPECT_EQ(rowBackground(0), light.background[settings::kSameEntry]);
    EXPECT_EQ(legendBackground(CMainFrame::kFirstLegendPane), light.background[settings::kSourceOnlyEntry]);
}

TEST_F(DesktopTheme, ColoursTheUserStoredWinOverADarkDesktop)
{
    framework::writeProfileInt(framework::settingsFilePath(), "AppColors", "0", 0x0000FF);
    start({left, right});
    switchDesktopTo(QColor(0x2A, 0x2A, 0x2A));
    EXPECT_EQ(rowBackground(0), 0x0000FFu);
    EXPECT_EQ(rowBackground(1), settings::defaultScheme(ColorTheme::Light).background[settings::kChangedEntry]);
    app->exitInstance();
    EXPECT_EQ(framework::readProfileInt(framework::settingsFilePath(), "AppColors", "0", 0), 0x0000FF);
}

} // namespace
