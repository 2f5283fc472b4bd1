#include <gtest/gtest.h>

#include <set>

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "framework/command_ids.h"
#include "shell/accelerator_table.h"
#include "shell/app_resources.h"
#include "shell/command_menu.h"
#include "shell/menu_table.h"
#include "shell/string_table.h"
#include "shell/toolbar_table.h"

namespace {

using namespace framework;
using shell::MenuEntry;

void collectCommands(std::span<const MenuEntry> entries, std::set<CommandId>& commands)
{
    for (const MenuEntry& entry : entries) {
        if (entry.kind == MenuEntry::Kind::Popup)
            collectCommands(entry.popup, commands);
        else if (entry.kind == MenuEntry::Kind::Command)
            commands.insert(entry.command);
    }
}

TEST(MenuTable, MainMenuReachesEveryUserCommand)
{
    std::set<CommandId> commands;
    collectCommands(shell::mainMenu(), commands);
    for (CommandId id : {ID_COMPARE_FILES, ID_RESCAN, ID_FILE_SAVE_ALL, ID_SAVE_SOURCE, ID_SAVE_TARGET,
                         ID_FILE_SAVE_AS, ID_SAVE_AS_PAIR, ID_SAVE_AS_RESULT, ID_ALTERNATE_TOOL, ID_APP_EXIT,
                         ID_UNDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_COPY_DIFF, ID_EDIT_PASTE, ID_EDIT_MODE,
                         ID_SOURCE_READ_ONLY, ID_TARGET_READ_ONLY, ID_FIND_BOX, ID_FIND_WORD, ID_FIND_NEXT,
                         ID_NEXT_DIFF, ID_PREV_DIFF, ID_GOTO_LINE, ID_NEXT_BOOKMARK, ID_SWITCH_BOOKMARK,
                         ID_COPY_DIFF_TO_TARGET, ID_COPY_DIFF_TO_SOURCE, ID_COPY_LINE_TO_TARGET,
                         ID_COPY_LINE_TO_SOURCE, ID_EASY_JOIN, ID_NO_SYNC, ID_MOVE_NEXT, ID_HIDDEN,
                         ID_IGNORE_BLANKS, ID_FONT, ID_OPTIONS, ID_APP_ABOUT})
        EXPECT_TRUE(commands.count(id)) << id;
}

TEST(MenuTable, MoreMenuHoldsTheSwitchesAndDialogs)
{
    const auto menus = shell::mainMenu();
    const auto more = std::find_if(menus.begin(), menus.end(),
                                   [](const MenuEntry& entry) { return entry.text == "M&ore"; });
    ASSERT_NE(more, menus.end());
    std::vector<std::string_view> texts;
    for (const MenuEntry& entry : more->popup)
        if (entry.kind == MenuEntry::Kind::Command)
            texts.push_back(entry.text);
    EXPECT_EQ(texts, (std::vector<std::string_view>{"No Sync", "Move Next", "Hidden", "Ignore blanks",
                                                    "Font...", "Options..."}));
}

TEST(MenuTable, ContextMenuHasItsItemsInOrder)
{
    std::vector<CommandId> commands;
    for (const MenuEntry& entry : shell::contextMenu())
        commands.push_back(entry.kind == MenuEntry::Kind::Separator ? 0 : entry.command);
    EXPECT_EQ(commands, (std::vector<CommandId>{ID_EDIT_COPY, ID_COPY_DIFF, ID_EDIT_PASTE, 0, ID_PREV_DIFF,
                                                ID_NEXT_DIFF, 0, ID_COPY_DIFF_TO_TARGET, ID_COPY_DIFF_TO_SOURCE, 0,
                                                ID_RESCAN, 0, ID_APP_EXIT}));
}

TEST(AcceleratorTable, KeysGiveTheirCommands)
{
    EXPECT_EQ(shell::findAccelerator(Qt::Key_O, Qt::ControlModifier), ID_COMPARE_FILES);
    EXPECT_EQ(shell::findAccelerator(Qt::Key_F5, Qt::NoModifier), ID_RESCAN);
    EXPECT_EQ(shell::findAccelerator(Qt::Key_Right, Qt::AltModifier), ID_COPY_DIFF_TO_TARGET);
    EXPECT_EQ(shell::findAccelerator(Qt::Key_Right, Qt::AltModifier | Qt::ControlModifier), ID_COPY_LINE_TO_TARGET);
    EXPECT_EQ(shell::findAccelerator(Qt::Key_Backspace, Qt::AltModifier), ID_UNDO);
    EXPECT_EQ(shell::findAccelerator(Qt::Key_Z, Qt::ControlModifier), ID_UNDO);
    EXPECT_EQ(shell::findAccelerator(Qt::Key_A, Qt::AltModifier), ID_FIND_BOX);
    EXPECT_EQ(shell::findAccelerator(Qt::Key_Insert, Qt::NoModifier), ID_INSERT_MODE);
    EXPECT_EQ(shell::findAccelerator(Qt::Key_Insert, Qt::ShiftModifier), ID_EDIT_PASTE);
}

TEST(AcceleratorTable, ModifiersMustMatchExactlyButKeypadIsIgnored)
{
    EXPECT_FALSE(shell::findAccelerator(Qt::Key_O, Qt::NoModifier));
    EXPECT_FALSE(shell::findAccelerator(Qt::Key_F5, Qt::ShiftModifier));
    EXPECT_EQ(shell::findAccelerator(Qt::Key_Insert, Qt::KeypadModifier), ID_INSERT_MODE);
}

TEST(AcceleratorTable, NoKeyIsBoundTwice)
{
    std::set<std::pair<int, int>> seen;
    for (const shell::Accelerator& entry : shell::accelerators())
        EXPECT_TRUE(seen.insert({entry.key, int(entry.modifiers)}).second) << entry.command;
}

TEST(StringTable, IndicatorsVersionAndIdleText)
{
    EXPECT_EQ(shell::loadString(shell::IDS_VERSION), "1.15");
    EXPECT_EQ(shell::loadString(AFX_IDS_IDLEMESSAGE), "Ready");
    EXPECT_EQ(shell::loadString(ID_INDICATOR_SOURCE_ONLY), "Source only");
    EXPECT_EQ(shell::loadString(ID_INDICATOR_DIRTY), "Dirty");
    EXPECT_EQ(shell::loadString(ID_EDIT_MODE_INDICATOR), "EDIT");
    EXPECT_EQ(shell::loadString(ID_SOURCE_READ_ONLY), "Source file is editable");
    EXPECT_EQ(shell::loadString(ID_TARGET_READ_ONLY), "Target file is editable");
    EXPECT_EQ(shell::loadString(12), "");
}

TEST(StringTable, PromptAndTipAreTheTwoLinesOfACommandString)
{
    EXPECT_EQ(shell::commandPrompt(ID_ALTERNATE_TOOL), "Call other diff view tool");
    EXPECT_EQ(shell::commandTip(ID_ALTERNATE_TOOL), "Alternate (Ctrl-F10)");
    EXPECT_EQ(shell::commandPrompt(ID_EASY_JOIN), "Enter EasyJoin mode");
    EXPECT_EQ(shell::commandPrompt(ID_COPY_LINE_TO_TARGET), "Copy Current line to Dest");
    EXPECT_EQ(shell::commandTip(ID_INDICATOR_CHANGED), "Changed");
}

TEST(StringTable, EveryMenuCommandHasAPrompt)
{
    std::set<CommandId> commands;
    collectCommands(shell::mainMenu(), commands);
    for (CommandId id : commands)
        EXPECT_FALSE(shell::commandPrompt(id).empty()) << id;
}

TEST(Resources, EveryToolbarPictureRendersSharplyAtHighScale)
{
    for (const shell::ToolbarButton& button : shell::toolbarButtons()) {
        if (button.icon.empty())
            continue;
        const QIcon icon = shell::commandIcon(button.command);
        ASSERT_FALSE(icon.isNull()) << button.icon;
        const QImage image = icon.pixmap(QSize(48, 48)).toImage();
        ASSERT_EQ(image.size(), QSize(48, 48)) << button.icon;
        int opaque = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                opaque += qAlpha(image.pixel(x, y)) > 200;
        EXPECT_GT(opaque, 40) << button.icon;
    }
    EXPECT_FALSE(shell::appIcon().pixmap(64, 64).isNull());
}

TEST(CommandMenu, ItemsCarryTheirCommandAndTexts)
{
    QMenuBar bar;
    shell::fillMenuBar(bar, shell::mainMenu());
    ASSERT_EQ(bar.actions().size(), qsizetype(shell::mainMenu().size()));
    QMenu* file = bar.actions().front()->menu();
    ASSERT_NE(file, nullptr);
    QAction* rescan = file->actions().at(1);
    EXPECT_EQ(shell::commandOf(rescan), ID_RESCAN);
    EXPECT_EQ(rescan->text(), "Rescan\tF5");
    EXPECT_EQ(rescan->statusTip(), "Read both files again and compare them");
    EXPECT_EQ(shell::commandOf(file->actions().at(2)), ID_REOPEN_WITH_ENCODING);
    EXPECT_TRUE(file->actions().at(3)->isSeparator());
    EXPECT_EQ(shell::commandOf(file->actions().at(3)), 0u);
}

} // namespace
