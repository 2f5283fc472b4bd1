#include <filesystem>
#include <string>

#include "core/bivalo_doc.h"
#include "framework/command_ids.h"
#include "framework/text_format.h"
#include "tests/shell/merge_by_hand.h"

namespace {

namespace fs = std::filesystem;
using namespace framework;
using testing_support::MergeByHand;

// The target of MergeByHand's pair with its first difference copied from the source.
constexpr const char* kEdited = "one\r\n\ttwo\r\nthree\r\nextra\r\nfour  \r\n\tindented\r\nsix\r\n";

// The pair of MergeByHand with an edit in the target that is not saved yet.
class EditedTarget : public MergeByHand {
protected:
    // Starts the pair and copies the first difference into the target with keys.
    void editTheTarget()
    {
        startOnPair();
        press(Qt::Key_F9);
        pane(2).goToRowCentred(1);
        press(Qt::Key_Right, Qt::AltModifier);
        ASSERT_TRUE(doc().isModified());
    }
};

// --- a save after another program changed the file ---------------------------------------------

enum class Save { All, Target, AtTheRescanPrompt, AsItsOwnName, AsPairFromTheSource };

class OutsideChangeAtSave : public EditedTarget, public ::testing::WithParamInterface<Save> {
protected:
    // Saves the target's file (or, as pair, the source's rows over it) the way under test;
    // `overwrite` answers whether the outside change may go.
    void save(MessageAnswer overwrite)
    {
        switch (GetParam()) {
        case Save::All:
            services.answerMessage(overwrite);
            press(Qt::Key_S, Qt::ControlModifier);
            break;
        case Save::Target:
            services.answerMessage(overwrite);
            frame().routeCommand(ID_SAVE_TARGET, CommandOrigin::Menu);
            break;
        case Save::AtTheRescanPrompt:
            services.answerMessage(MessageAnswer::Yes);
            services.answerMessage(overwrite);
            press(Qt::Key_F5);
            break;
        case Save::AsItsOwnName:
            services.answerFileDialog(right);
            services.answerMessage(overwrite);
            frame().routeCommand(ID_FILE_SAVE_AS, CommandOrigin::Menu);
            break;
        case Save::AsPairFromTheSource:
            services.answerMessage(MessageAnswer::No); // the target's edit is not saved first
            services.answerMessage(MessageAnswer::No); // the program does not quit afterwards
            services.answerMessage(overwrite);
            if (overwrite == MessageAnswer::Yes)
                services.answerMessage(MessageAnswer::No); // no rescan
            frame().activateView(&pane(1));
            frame().routeCommand(ID_SAVE_AS_PAIR, CommandOrigin::Menu);
            frame().activateView(&pane(2));
            break;
        }
        QApplication::processEvents();
    }

    std::string overwriteQuestion() const
    {
        return formatText(core::CBivaloDoc::kOverwriteOutsideChange, { right });
    }
};

TEST_P(OutsideChangeAtSave, OverwritesItOnlyWhenTheUserSaysSo)
{
    editTheTarget();
    // Another program adds a line; the watch asks at once, and No keeps the rows.
    services.answerMessage(MessageAnswer::No);
    appendTo(right, "external\r\n");
    ASSERT_TRUE(waitUntilAsked(reloadQuestion(right)));
    const std::string outside = dir.read("right.txt");

    save(MessageAnswer::No);
    EXPECT_EQ(timesAsked(overwriteQuestion()), 1u);
    EXPECT_EQ(dir.read("right.txt"), outside) << "No writes nothing";
    EXPECT_TRUE(doc().isModified());

    save(MessageAnswer::Yes);
    EXPECT_EQ(timesAsked(overwriteQuestion()), 2u);
    EXPECT_EQ(dir.read("right.txt"), GetParam() == Save::AsPairFromTheSource ? kLeft : kEdited);

    // The program's own write is no outside change: the next question is about the next one.
    services.answerMessage(MessageAnswer::No);
    appendTo(left, "later\n");
    ASSERT_TRUE(waitUntilAsked(reloadQuestion(left)));
    EXPECT_EQ(timesAsked(reloadQuestion(right)), 1u);
    EXPECT_TRUE(services.allAnswersUsed());
}

INSTANTIATE_TEST_SUITE_P(EveryWay, OutsideChangeAtSave,
                         ::testing::Values(Save::All, Save::Target, Save::AtTheRescanPrompt, Save::AsItsOwnName,
                                           Save::AsPairFromTheSource));

// --- hard links ----------------------------------------------------------------------------------

using HardLinkedFile = EditedTarget;

TEST_F(HardLinkedFile, IsSavedInPlaceSoEveryNameShowsTheSave)
{
    const std::string other = dir.file("other name.txt");
    editTheTarget();
    fs::create_hard_link(right, other);
    press(Qt::Key_S, Qt::ControlModifier);

    EXPECT_EQ(dir.read("right.txt"), kEdited);
    EXPECT_EQ(dir.read("other name.txt"), kEdited);
    EXPECT_TRUE(fs::equivalent(right, other));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 3) << "no copy is left";
    EXPECT_EQ(doc().destination().changes(), 0);
}

} // namespace
