#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "core/easy_join_walk.h"
#include "framework/scripted_services.h"

namespace {

using namespace framework;
using core::EasyJoinWalk;

// The dialog as the walk sees it: the commands it was asked to send, in order, and whether
// it was ended. A test can make a command answer as the panes would (end the pass).
struct RecordingDialog : EasyJoinWalk::Dialog {
    std::vector<CommandId> sent;
    bool ended = false;
    std::function<void(CommandId)> panes;

    void sendCommand(CommandId id) override
    {
        sent.push_back(id);
        if (panes)
            panes(id);
    }
    void end() override { ended = true; }
};

class EasyJoinWalkTest : public ::testing::Test {
protected:
    // The commands sent since the last call.
    std::vector<CommandId> takeSent() { return std::exchange(dialog.sent, {}); }

    ScriptedServices services;
    RecordingDialog dialog;
    bool editMode = false;
    bool moveNextHeld = false;
    EasyJoinWalk walk { false, false, editMode, moveNextHeld, services, dialog };
};

TEST_F(EasyJoinWalkTest, EachButtonSendsItsCommandThenNextDiff)
{
    walk.copyToTarget();
    EXPECT_EQ(takeSent(), (std::vector<CommandId> { ID_COPY_DIFF_TO_TARGET, ID_NEXT_DIFF }));
    walk.copyToSource();
    EXPECT_EQ(takeSent(), (std::vector<CommandId> { ID_COPY_DIFF_TO_SOURCE, ID_NEXT_DIFF }));
    walk.skip();
    EXPECT_EQ(takeSent(), (std::vector<CommandId> { ID_ADD_SKIP, ID_NEXT_DIFF }));
    EXPECT_EQ(walk.skips(), 1);
    EXPECT_FALSE(dialog.ended);
}

TEST_F(EasyJoinWalkTest, AWalkWithNothingSkippedEndsWithoutAQuestion)
{
    dialog.panes = [this](CommandId id) {
        if (id == ID_NEXT_DIFF)
            walk.endOfPass();
    };
    walk.copyToTarget();
    EXPECT_TRUE(dialog.ended);
    EXPECT_TRUE(services.messages().empty());
}

TEST_F(EasyJoinWalkTest, AnsweringYesStartsTheReviewAtTheFirstSkippedRow)
{
    walk.skip();
    services.answerMessage(MessageAnswer::Yes);
    takeSent();
    walk.endOfPass();
    ASSERT_EQ(services.messageTexts(), std::vector<std::string> { EasyJoinWalk::kReviewSkipped });
    EXPECT_EQ(services.messages()[0].buttons, MessageButtons::YesNo);
    EXPECT_TRUE(walk.isReviewing());
    EXPECT_FALSE(dialog.ended);
    EXPECT_EQ(takeSent(), std::vector<CommandId> { ID_FIRST_SKIP });
}

TEST_F(EasyJoinWalkTest, InTheReviewSkipMovesOnAndACopyUnskips)
{
    walk.skip();
    services.answerMessage(MessageAnswer::Yes);
    walk.endOfPass();
    takeSent();

    walk.skip();
    EXPECT_EQ(takeSent(), std::vector<CommandId> { ID_NEXT_SKIP });
    EXPECT_EQ(walk.skips(), 2);
    walk.copyToSource();
    EXPECT_EQ(takeSent(), (std::vector<CommandId> { ID_COPY_DIFF_TO_SOURCE, ID_UNSKIP }));
    walk.copyToTarget();
    EXPECT_EQ(takeSent(), (std::vector<CommandId> { ID_COPY_DIFF_TO_TARGET, ID_UNSKIP }));
}

TEST_F(EasyJoinWalkTest, TheEndOfTheReviewEndsTheDialogWithoutAskingAgain)
{
    walk.skip();
    services.answerMessage(MessageAnswer::Yes);
    walk.endOfPass();
    walk.endOfPass();
    EXPECT_TRUE(dialog.ended);
    EXPECT_EQ(services.messages().size(), 1u);
}

TEST_F(EasyJoinWalkTest, AnsweringNoEndsTheDialog)
{
    walk.skip();
    services.answerMessage(MessageAnswer::No);
    takeSent();
    walk.endOfPass();
    EXPECT_TRUE(dialog.ended);
    EXPECT_FALSE(walk.isReviewing());
    EXPECT_TRUE(takeSent().empty());
}

TEST(EasyJoinWalkSettings, MoveNextIsHeldForTheWalksLifeAndThenAsBefore)
{
    ScriptedServices services;
    RecordingDialog dialog;
    bool editMode = false;
    for (const bool before : { false, true }) {
        bool moveNextHeld = before;
        {
            EasyJoinWalk walk(false, false, editMode, moveNextHeld, services, dialog);
            EXPECT_TRUE(moveNextHeld);
        }
        EXPECT_EQ(moveNextHeld, before);
    }
}

TEST(EasyJoinWalkReadOnly, BothFilesReadOnlyTellTheUserAndRefuseToOpen)
{
    ScriptedServices services;
    RecordingDialog dialog;
    bool editMode = false;
    bool moveNextHeld = false;
    EasyJoinWalk both(true, true, editMode, moveNextHeld, services, dialog);
    EXPECT_FALSE(both.open());
    EXPECT_EQ(services.messageTexts(), std::vector<std::string> { EasyJoinWalk::kBothReadOnly });

    EasyJoinWalk targetOnly(false, true, editMode, moveNextHeld, services, dialog);
    EXPECT_TRUE(targetOnly.open());
    EXPECT_FALSE(targetOnly.canCopyToTarget());
    EXPECT_TRUE(targetOnly.canCopyToSource());
    EXPECT_EQ(services.messages().size(), 1u);
}

} // namespace
