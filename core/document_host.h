#pragma once

#include <functional>

#include "framework/command_ids.h"
#include "framework/log_font.h"
#include "framework/messages.h"

namespace core {

// What the compare document needs of the window around it; the main frame provides it. The
// document stays free of the desktop: it reaches the window only through these hooks, in three
// roles.
class DocumentHost {
public:
    virtual ~DocumentHost() = default;

    // --- the message loop
    // Receives the document's posted commands and the watcher's change messages.
    virtual framework::MessageTarget& mainWindow() = 0;
    // Handles every window message that is waiting (before a long comparison blocks).
    virtual void dispatchPendingMessages() = 0;
    virtual void focusActiveView() = 0;
    // Runs work beside the window's thread, then done on the window's thread; the window
    // keeps painting and answering meanwhile. Without a thread of its own, both run here.
    virtual void runBeside(std::function<void()> work, std::function<void()> done)
    {
        work();
        done();
    }
    // Runs work beside the window's thread and returns once it has ended; meanwhile the
    // window paints and takes input (the document refuses commands while busy). Without a
    // thread of its own, work runs here.
    virtual void waitBeside(const std::function<void()>& work) { work(); }
    // The document is no longer busy: the window takes input again and its progress goes,
    // before the document tells how the work ended.
    virtual void workEnded() {}

    // --- the window's own dialogs and resources, which the document's commands open
    // The options dialog; true when closed with OK.
    virtual bool runOptionsDialog() = 0;
    // Whether a font can be made from the description.
    virtual bool createFont(const framework::LogFont& font) = 0;
    // The EasyJoin guided merge over the current pair.
    virtual void runEasyJoin() = 0;

    // --- commands
    // Whether the window side carries out a command that the document hands on to it
    // (a dialog, EasyJoin, or a pane's part of a command); one it does not stays disabled.
    virtual bool offers(framework::CommandId) const { return true; }
};

} // namespace core
