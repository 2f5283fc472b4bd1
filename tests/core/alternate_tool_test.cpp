#include <gtest/gtest.h>

#include "core/alternate_tool.h"
#include "framework/command_ids.h"
#include "framework/scripted_services.h"
#include "recording_window.h"
#include "tests/support/temp_dir.h"

namespace {

using core::AlternateTool;
using framework::ScriptedServices;

struct AlternateToolRun : ::testing::Test {
    testing_support::TempDir dir;
    ScriptedServices services;
    core_testing::RecordingWindow window;
    AlternateTool tool { services, window };
    int savePrompts = 0;
    bool saveAnswer = true;
    std::function<bool()> saveModified = [this] { ++savePrompts; return saveAnswer; };
};

TEST_F(AlternateToolRun, StartsTheToolWithBothPathsAsSeparateArguments)
{
    const std::string program = dir.write("my tool", "");
    const std::string source = "/tmp/with blank; rm -rf x/a.txt";
    EXPECT_TRUE(tool.run(program, saveModified, source, "/tmp/$(b).txt"));
    ASSERT_EQ(services.startedProcesses().size(), 1u);
    EXPECT_EQ(services.startedProcesses()[0], (std::vector<std::string> { program, source, "/tmp/$(b).txt" }));
    EXPECT_EQ(savePrompts, 1);
    EXPECT_TRUE(window.posted.empty());
}

TEST_F(AlternateToolRun, CancelInTheSavePromptStartsNothing)
{
    saveAnswer = false;
    EXPECT_FALSE(tool.run(dir.write("tool", ""), saveModified, "a", "b"));
    EXPECT_TRUE(services.startedProcesses().empty());
}

TEST_F(AlternateToolRun, AnEmptyOrMissingToolIsReportedAndTheOptionsArePosted)
{
    for (const std::string& missing : { std::string(), dir.file("nowhere") }) {
        ScriptedServices fresh;
        core_testing::RecordingWindow frame;
        AlternateTool run(fresh, frame);
        EXPECT_FALSE(run.run(missing, saveModified, "a", "b"));
        EXPECT_EQ(fresh.messageTexts(), std::vector<std::string> { "Alternate compare tool is not selected \n or not valid!" });
        EXPECT_EQ(frame.postedCommands(), std::vector<framework::WParam> { framework::ID_OPTIONS });
        EXPECT_TRUE(fresh.startedProcesses().empty());
    }
    EXPECT_EQ(savePrompts, 0) << "no save prompt before a tool that cannot run";
}

} // namespace
