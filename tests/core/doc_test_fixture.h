#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "core/bivalo_doc.h"
#include "core/document_host.h"
#include "framework/command_router.h"
#include "framework/scripted_services.h"
#include "framework/view.h"
#include "recording_window.h"
#include "tests/support/fresh_settings.h"
#include "tests/support/temp_dir.h"

namespace core_testing {

// A view that keeps every hint it receives and can react to one.
struct RecordingView : framework::View {
    std::vector<int> hints;
    std::function<void(int hint, void* object)> react;

    void onUpdate(framework::View*, int hint, void* object) override
    {
        hints.push_back(hint);
        if (react)
            react(hint, object);
    }
};

struct FakeHost : core::DocumentHost {
    RecordingWindow window;
    int dispatched = 0;
    int focused = 0;
    int optionsRuns = 0;
    bool optionsAnswer = false;
    bool fontCreatable = true;
    int easyJoins = 0;

    framework::MessageTarget& mainWindow() override { return window; }
    void dispatchPendingMessages() override { ++dispatched; }
    void focusActiveView() override { ++focused; }
    bool runOptionsDialog() override { ++optionsRuns; return optionsAnswer; }
    bool createFont(const framework::LogFont& font) override { return fontCreatable && !font.FaceName.empty(); }
    void runEasyJoin() override { ++easyJoins; }
    bool offers(framework::CommandId id) const override { return !declined.contains(id); }
    std::set<framework::CommandId> declined;
};

// A document with a recording view, scripted services and real files in a temp folder.
struct DocFixture : ::testing::Test {
    testing_support::FreshSettings freshSettings;
    testing_support::TempDir dir;
    framework::ScriptedServices services;
    FakeHost host;
    core::CBivaloDoc doc { services, host };
    RecordingView view;
    framework::CommandRouter router;

    DocFixture()
    {
        doc.addView(&view);
        router.setDocument(&doc);
    }

    // Loads a pair written from the given texts; the hints of the load are forgotten.
    void loadPair(const std::string& sourceText, const std::string& targetText)
    {
        const std::string a = dir.write("a.txt", sourceText);
        const std::string b = dir.write("b.txt", targetText);
        ASSERT_TRUE(doc.loadAndCompare(a, b));
        view.hints.clear();
    }
    bool enabled(framework::CommandId id) const { return router.isEnabled(id); }
    std::string text(const core::LineFile& file, int row) const
    {
        const auto& rows = &file == &doc.source() ? doc.sourceRows() : doc.destinationRows();
        const core::LineRecord* line = file.lineAt(rows.at(row));
        return line ? std::string(line->text()) : std::string("<virtual>");
    }
};

} // namespace core_testing
