#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <filesystem>

#include "settings/app_settings.h"
#include "settings/dir_pair_history.h"
#include "shell/desktop_services.h"
#include "shell/file_open_ex.h"
#include "tests/support/temp_dir.h"

namespace {

// Answers the folder menus as they open, one choice each, and records what they held.
class MenuScript {
public:
    explicit MenuScript(std::vector<QString> choices) : m_choices(std::move(choices)) { waitForMenu(); }

    std::vector<QStringList> shown;     // the entries of each menu (separators empty)
    std::vector<bool> firstEnabled;
    std::vector<QRect> geometries;

private:
    void waitForMenu()
    {
        QTimer::singleShot(5, [this] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            // A menu made again may take the address of the last one: mark the ones seen.
            if (!menu || menu->property("seen").toBool()) {
                waitForMenu();
                return;
            }
            menu->setProperty("seen", true);
            QStringList texts;
            for (QAction* action : menu->actions())
                texts << action->text();
            shown.push_back(texts);
            firstEnabled.push_back(menu->actions().first()->isEnabled());
            geometries.push_back(menu->geometry());
            const QString choice = m_choices.at(shown.size() - 1);
            if (choice.isEmpty()) {
                menu->close();
                return;
            }
            for (QAction* action : menu->actions())
                if (action->text() == choice)
                    menu->setActiveAction(action);
            QTest::keyClick(menu, Qt::Key_Return);
            if (shown.size() < m_choices.size())
                waitForMenu();
        });
    }

    std::vector<QString> m_choices;    // an empty choice dismisses the menu
};

class FileOpenExTest : public ::testing::Test {
protected:
    FileOpenExTest()
    {
        for (const char* name : {"a", "b", "c", "d"})
            std::filesystem::create_directories(dir.path() / name);
        request.title = "Select first file";
        request.folder = dir.file("a");
        request.filter = "Text|*.txt|All Files|*.*||";
        request.folderPanel = true;
    }

    std::unique_ptr<CFileOpenEx> open()
    {
        auto dialog = std::make_unique<CFileOpenEx>(request, history);
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        return dialog;
    }
    static QString folderLine(const CFileOpenEx& dialog) { return dialog.folderLine().text(); }
    QString bracketed(const char* name) const { return "[" + QString::fromStdString(dir.file(name)) + "]"; }

    testing_support::TempDir dir;
    framework::FileDialogRequest request;
    settings::DirPairHistory history;
};

TEST_F(FileOpenExTest, ThePanelSitsAboveTheControlsAndShowsTheFolder)
{
    auto dialog = open();
    EXPECT_EQ(folderLine(*dialog), bracketed("a"));
    EXPECT_LT(dialog->folderLine().geometry().bottom(),
              dialog->findChild<QWidget*>(QStringLiteral("lookInCombo"))->geometry().top());
    EXPECT_FALSE(dialog->menuButton().icon().isNull());
    EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
}

TEST_F(FileOpenExTest, TheFolderLineFollowsEveryChangeAlsoATypedPath)
{
    auto dialog = open();
    dialog->setDirectory(QString::fromStdString(dir.file("b")));
    EXPECT_EQ(folderLine(*dialog), bracketed("b"));

    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    name->setText(QString::fromStdString(dir.file("c")));
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_EQ(folderLine(*dialog), bracketed("c"));
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(FileOpenExTest, WithNoHistoryTheMenuSaysSoAndChangesNothing)
{
    auto dialog = open();
    MenuScript script({""});
    dialog->menuButton().click();
    ASSERT_EQ(script.shown.size(), 1u);
    EXPECT_EQ(script.shown[0], QStringList{"No items found"});
    EXPECT_FALSE(script.firstEnabled[0]);
    EXPECT_EQ(folderLine(*dialog), bracketed("a"));
}

TEST_F(FileOpenExTest, TheMenuSwitchesBetweenSourcesAndTargetsAndGoesToTheChosenFolder)
{
    history.AddPair(dir.file("a"), dir.file("b"));
    history.AddPair(dir.file("c"), dir.file("d"));
    auto dialog = open();
    const QString c = QString::fromStdString(dir.file("c"));
    MenuScript script({"View Targets >>>", "<<< View Sources", c});
    dialog->menuButton().click();

    ASSERT_EQ(script.shown.size(), 3u);
    const QString a = QString::fromStdString(dir.file("a"));
    const QString b = QString::fromStdString(dir.file("b"));
    const QString d = QString::fromStdString(dir.file("d"));
    EXPECT_EQ(script.shown[0], (QStringList{a, c, "", "View Targets >>>"}));
    EXPECT_EQ(script.shown[1], (QStringList{b, d, "", "<<< View Sources"}));
    EXPECT_EQ(script.shown[2], script.shown[0]);
    EXPECT_EQ(folderLine(*dialog), "[" + c + "]");
    EXPECT_EQ(dialog->directory().absolutePath(), c);
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    EXPECT_TRUE(name->text().isEmpty());
}

TEST_F(FileOpenExTest, TheMenuDropsBelowTheButtonWithTheRightEdgesLinedUp)
{
    history.AddPair(dir.file("a"), dir.file("b"));
    auto dialog = open();
    dialog->move(0, 0);
    MenuScript script({""});
    dialog->menuButton().click();
    ASSERT_EQ(script.geometries.size(), 1u);
    const QToolButton& button = dialog->menuButton();
    const QPoint bottomRight = button.mapToGlobal(QPoint(button.width(), button.height()));
    EXPECT_EQ(script.geometries[0].right() + 1, bottomRight.x());
    EXPECT_EQ(script.geometries[0].top(), bottomRight.y());
}

TEST_F(FileOpenExTest, AFolderIsTakenFromTheListOfItsMenu)
{
    history.AddPair(dir.file("a"), dir.file("b"));
    auto dialog = open();
    dialog->move(300, 100);
    MenuScript script({"View Targets >>>", QString::fromStdString(dir.file("b"))});
    dialog->menuButton().click();
    EXPECT_EQ(folderLine(*dialog), bracketed("b"));

}

TEST_F(FileOpenExTest, DismissingTheMenuLeavesTheFolder)
{
    history.AddPair(dir.file("a"), dir.file("b"));
    auto dialog = open();
    dialog->setDirectory(QString::fromStdString(dir.file("c")));
    MenuScript script({"View Targets >>>", ""});
    dialog->menuButton().click();
    EXPECT_EQ(script.shown.size(), 2u);
    EXPECT_EQ(folderLine(*dialog), bracketed("c"));
}

TEST_F(FileOpenExTest, EveryFileMaskOfStarDotStarShowsFilesWithoutADot)
{
    auto dialog = open();
    EXPECT_EQ(dialog->nameFilters(), (QStringList{"Text (*.txt)", "All Files (*)"}));
}

TEST(DesktopServices, TheFolderPanelIsAskedForByTheRequest)
{
    shell::DesktopServices services;
    framework::FileDialogRequest request;
    EXPECT_EQ(dynamic_cast<CFileOpenEx*>(services.makeFileDialog(request).get()), nullptr);
    request.folderPanel = true;
    EXPECT_NE(dynamic_cast<CFileOpenEx*>(services.makeFileDialog(request).get()), nullptr);
}

} // namespace
