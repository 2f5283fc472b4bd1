#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "framework/log_font.h"

// Whatever blocks on the user or touches the desktop goes through Services, so that the
// logic below the platform layer runs in tests with ScriptedServices.
namespace framework {

using ColorRef = std::uint32_t;    // 0x00BBGGRR

enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageIcon { None, Information, Question, Warning, Error };
enum class MessageAnswer { Ok, Cancel, Yes, No };

struct FileDialogRequest {
    bool save = false;             // a save dialog; else an open dialog
    bool mustExist = true;         // open: the chosen file must exist
    std::string title;
    std::string folder;            // initial folder
    std::string fileName;          // pre-filled name
    std::string filter;            // "Name|*.a; *.b|Name|*.*||"
    bool showReadOnly = false;     // offer the read-only check box
    bool readOnly = false;         // its initial state
    bool folderPanel = false;      // the line with the folder shown and the menu of remembered folders
    bool programsOnly = false;     // open: the first filter lists programs; only a program is taken
    int filterIndex = -1;          // the filter shown first; -1 (or none such): the one for all files
};

struct FileDialogResult {
    std::string path;
    bool readOnly = false;
    int filterIndex = -1;          // the filter shown when the dialog was accepted
};

class Services {
public:
    virtual ~Services() = default;

    virtual MessageAnswer messageBox(const std::string& text, MessageButtons buttons, MessageIcon icon) = 0;
    // Empty when the user cancels.
    virtual std::optional<FileDialogResult> fileDialog(const FileDialogRequest& request) = 0;
    // The font and colour dialogs change their argument and return true on OK.
    virtual bool chooseFont(LogFont& font) = 0;
    virtual bool chooseColor(ColorRef& color) = 0;
    // A list of names under title, starting at item, where another name may be typed:
    // changes item and returns true on OK.
    virtual bool chooseItem(const std::string& title, const std::vector<std::string>& items, std::string& item) = 0;

    virtual bool isShiftDown() = 0;
    virtual bool isControlDown() = 0;

    virtual std::string clipboardText() = 0;
    virtual void setClipboardText(const std::string& text) = 0;
    // The desktop's primary selection, which a middle click pastes; empty where there is none.
    virtual std::string selectionText() = 0;

    // Starts a program detached, with exactly these arguments and no shell; false when it
    // could not be started.
    virtual bool startDetached(const std::vector<std::string>& argv) = 0;
    virtual bool openAddress(const std::string& address) = 0;

    virtual void setWaitCursor(bool on) = 0;
};

// The application title, shown as the caption of every message box and on the main window.
inline constexpr const char* kAppTitle = "Bivalo 1.15";

} // namespace framework
