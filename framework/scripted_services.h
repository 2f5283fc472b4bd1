#pragma once

#include <deque>
#include <string>
#include <vector>

#include "framework/services.h"

namespace framework {

// Services for tests: answers come from queues filled by the test, and everything shown to
// the user is recorded. A question with no queued answer is a test fault and throws, except
// a message box with only an OK button, which needs no answer.
class ScriptedServices : public Services {
public:
    struct ShownMessage {
        std::string text;
        MessageButtons buttons;
        MessageIcon icon;
    };

    // Queued answers, taken in order.
    void answerMessage(MessageAnswer answer) { m_messageAnswers.push_back(answer); }
    void answerFileDialog(std::optional<FileDialogResult> result) { m_fileAnswers.push_back(std::move(result)); }
    void answerFileDialog(const std::string& path, bool readOnly = false);
    void cancelFileDialog() { m_fileAnswers.emplace_back(std::nullopt); }
    // nullopt cancels the dialog.
    void answerFont(std::optional<LogFont> font) { m_fontAnswers.push_back(std::move(font)); }
    void answerColor(std::optional<ColorRef> color) { m_colorAnswers.push_back(color); }
    void answerItem(std::optional<std::string> item) { m_itemAnswers.push_back(std::move(item)); }

    void setShiftDown(bool down) { m_shiftDown = down; }
    void setControlDown(bool down) { m_controlDown = down; }
    void setSelectionText(const std::string& text) { m_selection = text; }

    // What was shown.
    const std::vector<ShownMessage>& messages() const { return m_messages; }
    std::vector<std::string> messageTexts() const;
    const std::vector<FileDialogRequest>& fileDialogs() const { return m_fileDialogs; }
    const std::vector<LogFont>& fontDialogs() const { return m_fontDialogs; }
    const std::vector<ColorRef>& colorDialogs() const { return m_colorDialogs; }    // the starting colours
    const std::vector<std::string>& itemDialogs() const { return m_itemDialogs; }    // the starting items
    const std::vector<std::vector<std::string>>& startedProcesses() const { return m_started; }
    const std::vector<std::string>& openedAddresses() const { return m_addresses; }
    bool waitCursor() const { return m_waitCursor; }
    bool allAnswersUsed() const;

    MessageAnswer messageBox(const std::string& text, MessageButtons buttons, MessageIcon icon) override;
    std::optional<FileDialogResult> fileDialog(const FileDialogRequest& request) override;
    bool chooseFont(LogFont& font) override;
    bool chooseColor(ColorRef& color) override;
    bool chooseItem(const std::string& title, const std::vector<std::string>& items, std::string& item) override;
    bool isShiftDown() override { return m_shiftDown; }
    bool isControlDown() override { return m_controlDown; }
    std::string clipboardText() override { return m_clipboard; }
    void setClipboardText(const std::string& text) override { m_clipboard = text; }
    std::string selectionText() override { return m_selection; }
    bool startDetached(const std::vector<std::string>& argv) override;
    bool openAddress(const std::string& address) override;
    void setWaitCursor(bool on) override;

private:
    std::deque<MessageAnswer> m_messageAnswers;
    std::deque<std::optional<FileDialogResult>> m_fileAnswers;
    std::deque<std::optional<LogFont>> m_fontAnswers;
    std::deque<std::optional<ColorRef>> m_colorAnswers;
    std::deque<std::optional<std::string>> m_itemAnswers;
    bool m_shiftDown = false;
    bool m_controlDown = false;
    std::string m_clipboard;
    std::string m_selection;

    std::vector<ShownMessage> m_messages;
    std::vector<FileDialogRequest> m_fileDialogs;
    std::vector<LogFont> m_fontDialogs;
    std::vector<ColorRef> m_colorDialogs;
    std::vector<std::string> m_itemDialogs;
    std::vector<std::vector<std::string>> m_started;
    std::vector<std::string> m_addresses;
    bool m_waitCursor = false;
};

} // namespace framework
