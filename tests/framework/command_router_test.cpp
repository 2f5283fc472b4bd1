#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/command_router.h"

namespace {

using namespace framework;

struct Targets {
    CommandTarget view, document, frame, application;
    CommandRouter router;
    std::vector<std::string> calls;
    Targets()
    {
        router.setActiveView(&view);
        router.setDocument(&document);
        router.setMainFrame(&frame);
        router.setApplication(&application);
    }
    void record(CommandTarget& target, CommandId id, const std::string& name)
    {
        target.onCommand(id, [this, name] { calls.push_back(name); });
    }
};

TEST(CommandRouter, TheFirstTargetInRoutingOrderCarriesTheCommandOut)
{
    Targets t;
    t.record(t.application, ID_RESCAN, "application");
    t.record(t.frame, ID_RESCAN, "frame");
    t.record(t.document, ID_RESCAN, "document");
    EXPECT_TRUE(t.router.execute(ID_RESCAN));
    t.router.setActiveView(nullptr);
    t.record(t.application, ID_APP_ABOUT, "about");
    EXPECT_TRUE(t.router.execute(ID_APP_ABOUT));
    EXPECT_EQ(t.calls, (std::vector<std::string> { "document", "about" }));
}

TEST(CommandRouter, AnEnableHandlerOfAnEarlierTargetGovernsALaterTargetsCommand)
{
    // The panes decide whether the document's copy commands are enabled.
    Targets t;
    t.record(t.document, ID_COPY_DIFF_TO_TARGET, "copy");
    bool paneAllows = false;
    t.view.onEnable(ID_COPY_DIFF_TO_TARGET, [&](CommandUI& ui) { ui.enable(paneAllows); });

    EXPECT_FALSE(t.router.execute(ID_COPY_DIFF_TO_TARGET));
    paneAllows = true;
    EXPECT_TRUE(t.router.execute(ID_COPY_DIFF_TO_TARGET));
    EXPECT_EQ(t.calls, std::vector<std::string> { "copy" });
}

TEST(CommandRouter, ACommandWithoutEnableHandlerIsEnabledExactlyWhenSomeoneCarriesItOut)
{
    Targets t;
    EXPECT_FALSE(t.router.isEnabled(ID_FONT));
    EXPECT_FALSE(t.router.execute(ID_FONT));
    t.record(t.frame, ID_FONT, "font");
    EXPECT_TRUE(t.router.isEnabled(ID_FONT));
    EXPECT_TRUE(t.router.execute(ID_FONT));
}

TEST(CommandRouter, EnableOnlyAnswersReachTheQueryButRunNothing)
{
    Targets t;
    t.document.onEnable(ID_NEXT_DIFF, [](CommandUI& ui) { ui.enable(false); });
    t.record(t.view, ID_NEXT_DIFF, "next");
    EXPECT_FALSE(t.router.execute(ID_NEXT_DIFF));
    EXPECT_TRUE(t.calls.empty());
}

TEST(CommandRouter, TheDeciderIsTheFirstTargetWithARuleWhoeverCarriesTheCommandOut)
{
    Targets t;
    t.record(t.view, ID_RESCAN, "rescan");
    EXPECT_EQ(t.router.enableDecider(ID_RESCAN), nullptr);
    t.application.onEnable(ID_RESCAN, [](CommandUI& ui) { ui.enable(true); });
    EXPECT_EQ(t.router.enableDecider(ID_RESCAN), &t.application);
    t.document.onEnable(ID_RESCAN, [](CommandUI& ui) { ui.enable(false); });
    EXPECT_EQ(t.router.enableDecider(ID_RESCAN), &t.document);
    EXPECT_FALSE(t.router.isEnabled(ID_RESCAN));
    t.router.setDocument(nullptr);
    EXPECT_EQ(t.router.enableDecider(ID_RESCAN), &t.application);
    EXPECT_TRUE(t.router.isEnabled(ID_RESCAN));
}

TEST(CommandRouter, TheQueryCarriesCheckTextIndicatorAndOrigin)
{
    Targets t;
    t.view.onEnable(ID_SOURCE_READ_ONLY, [](CommandUI& ui) {
        if (ui.fromStatusBar())
            ui.setIndicator(true);
        else
            ui.setCheck(true);
        ui.setText("Src RO");
    });
    CommandUI menu(ID_SOURCE_READ_ONLY, CommandOrigin::Menu);
    CommandUI bar(ID_SOURCE_READ_ONLY, CommandOrigin::StatusBar);
    t.router.update(menu);
    t.router.update(bar);
    EXPECT_TRUE(menu.checked());
    EXPECT_FALSE(menu.indicator());
    EXPECT_TRUE(bar.indicator());
    EXPECT_FALSE(bar.checked());
    EXPECT_EQ(menu.text(), "Src RO");
}

} // namespace
