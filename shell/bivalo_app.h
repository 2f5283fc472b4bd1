#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/command_target.h"
#include "framework/services.h"

class CMainFrame;

namespace core {
class CBivaloDoc;
}
namespace panes {
class CBivaloView;
class CDstView;
class CDiffPreview;
}

// The application object: starts the program (settings, main window with its document and
// views, title), opens the pair named on the command line or starts the pair selection,
// shows the about box, and writes the settings back at exit.
class CBivaloApp : public framework::CommandTarget {
public:
    explicit CBivaloApp(framework::Services& services);
    ~CBivaloApp() override;

    // The start-up steps; false when the main window could not be made.
    bool initInstance(const std::vector<std::string>& arguments);
    void exitInstance();

    CMainFrame& mainFrame() { return *m_frame; }
    core::CBivaloDoc& document() { return *m_document; }
    static std::string title();

private:
    void showAboutBox();

    framework::Services& m_services;
    std::unique_ptr<CMainFrame> m_frame;
    std::unique_ptr<core::CBivaloDoc> m_document;
    panes::CDiffPreview* m_strip = nullptr;
    panes::CBivaloView* m_source = nullptr;
    panes::CDstView* m_target = nullptr;
};

namespace shell {
// The merge window until the user closes it; its exit status (2 when it could not start).
int runMergeWindow(framework::Services& services, const std::vector<std::string>& arguments);
// Builds the application and runs the window until the user closes it; the exit status.
int runWindowedApplication(int argc, char** argv);
}
