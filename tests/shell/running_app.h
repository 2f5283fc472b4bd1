#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QEventLoop>
#include <QTest>
#include <QTimer>

#include "core/bivalo_doc.h"
#include "framework/scripted_services.h"
#include "platform/virtual_keys.h"
#include "settings/app_settings.h"
#include "shell/bivalo_app.h"
#include "shell/main_frame.h"
#include "tests/support/fresh_settings.h"
#include "tests/support/temp_dir.h"

namespace testing_support {

// Scripted answers, but a message box keeps the event loop running while it is up, as the
// real modal box does: messages posted meanwhile are delivered before the answer.
class ModalScriptedServices : public framework::ScriptedServices {
public:
    framework::MessageAnswer messageBox(const std::string& text, framework::MessageButtons buttons,
                                        framework::MessageIcon icon) override
    {
        QEventLoop modalLoop;
        QTimer::singleShot(0, &modalLoop, &QEventLoop::quit);
        modalLoop.exec();
        return ScriptedServices::messageBox(text, buttons, icon);
    }
    // Keys sent through the window carry the modifiers, as the desktop's do.
    bool isShiftDown() override { return ScriptedServices::isShiftDown() || platform::isShiftDown(); }
    bool isControlDown() override { return ScriptedServices::isControlDown() || platform::isControlDown(); }
};

// The whole program as main() builds it, on a fresh settings file, with a pair of real
// files in a temporary folder.
class RunningApp : public ::testing::Test {
protected:
    RunningApp()
    {
        useFreshSettingsFile();
        left = dir.write("left.txt", "a\nb\nc\n");
        right = dir.write("right.txt", "a\nX\nc\n");
    }

    ~RunningApp() override { app.reset(); }

    // Starts the program with these command-line arguments and lets posted messages run.
    void start(const std::vector<std::string>& arguments)
    {
        app = std::make_unique<CBivaloApp>(services);
        ASSERT_TRUE(app->initInstance(arguments));
        QApplication::processEvents();
    }

    // Ends the program as the user's close does, and starts it again.
    void restart(const std::vector<std::string>& arguments)
    {
        frame().close();
        app->exitInstance();
        app.reset();
        start(arguments);
    }

    // Another program writes to the end of the file, in place.
    static void appendTo(const std::string& path, std::string_view bytes)
    {
        std::ofstream(path, std::ios::binary | std::ios::app) << bytes;
    }

    std::size_t timesAsked(const std::string& text) const
    {
        const std::vector<std::string> asked = services.messageTexts();
        return static_cast<std::size_t>(std::count(asked.begin(), asked.end(), text));
    }

    // Lets the program run until it has asked the question `times` times in all, for at most
    // a few seconds (the desktop's file-system watch reports with a delay of its own).
    bool waitUntilAsked(const std::string& text, std::size_t times = 1)
    {
        return QTest::qWaitFor([&] { return timesAsked(text) >= times; }, 5000);
    }

    static std::string reloadQuestion(const std::string& path)
    {
        return "This file was change from outside:\n" + path + "\nDo you want to reload files?";
    }

    CMainFrame& frame() { return app->mainFrame(); }
    core::CBivaloDoc& doc() { return app->document(); }

    FreshSettings freshSettings;
    TempDir dir;
    std::string left;
    std::string right;
    ModalScriptedServices services;
    std::unique_ptr<CBivaloApp> app;
};

} // namespace testing_support
