#include <gtest/gtest.h>

#include <stdexcept>

#include "framework/scripted_services.h"

namespace {

using namespace framework;

TEST(ScriptedServices, AnswersComeInOrderAndEveryQuestionIsRecorded)
{
    ScriptedServices services;
    services.answerMessage(MessageAnswer::No);
    services.answerMessage(MessageAnswer::Yes);
    EXPECT_EQ(services.messageBox("one", MessageButtons::YesNo, MessageIcon::Question), MessageAnswer::No);
    EXPECT_EQ(services.messageBox("two", MessageButtons::YesNo, MessageIcon::Question), MessageAnswer::Yes);
    ASSERT_EQ(services.messages().size(), 2u);
    EXPECT_EQ(services.messages()[1].text, "two");
    EXPECT_EQ(services.messages()[1].icon, MessageIcon::Question);
    EXPECT_TRUE(services.allAnswersUsed());
}

TEST(ScriptedServices, AnUnscriptedQuestionIsAFaultButAPlainNoticeIsNot)
{
    ScriptedServices services;
    EXPECT_EQ(services.messageBox("Failed to create file", MessageButtons::Ok, MessageIcon::None), MessageAnswer::Ok);
    EXPECT_THROW(services.messageBox("Save?", MessageButtons::YesNoCancel, MessageIcon::Question), std::logic_error);
    EXPECT_THROW(services.fileDialog({}), std::logic_error);
}

TEST(ScriptedServices, FileDialogRecordsTheRequestAndGivesTheQueuedResult)
{
    ScriptedServices services;
    services.answerFileDialog("/tmp/a.txt", true);
    services.cancelFileDialog();
    FileDialogRequest request;
    request.title = "Select first file";
    request.folder = "/tmp";
    const auto first = services.fileDialog(request);
    const auto second = services.fileDialog(request);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->path, "/tmp/a.txt");
    EXPECT_TRUE(first->readOnly);
    EXPECT_FALSE(second);
    EXPECT_EQ(services.fileDialogs().at(0).folder, "/tmp");
}

TEST(ScriptedServices, FontDialogChangesItsArgumentOnlyOnOk)
{
    ScriptedServices services;
    LogFont chosen;
    chosen.FaceName = "DejaVu Sans Mono";
    services.answerFont(chosen);
    services.answerFont(std::nullopt);
    LogFont font;
    font.FaceName = "Old";
    EXPECT_TRUE(services.chooseFont(font));
    EXPECT_EQ(font.FaceName, "DejaVu Sans Mono");
    EXPECT_FALSE(services.chooseFont(font));
    EXPECT_EQ(font.FaceName, "DejaVu Sans Mono");
    EXPECT_EQ(services.fontDialogs().at(0).FaceName, "Old");
}

} // namespace
