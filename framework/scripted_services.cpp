#include "framework/scripted_services.h"

#include <stdexcept>

namespace framework {

namespace {

template <typename T>
T takeAnswer(std::deque<T>& queue, const std::string& what)
{
    if (queue.empty())
        throw std::logic_error("no scripted answer for " + what);
    T answer = std::move(queue.front());
    queue.pop_front();
    return answer;
}

// A chooser dialog: records the starting value, then replaces it with the scripted choice.
template <typename T>
bool choose(T& value, std::vector<T>& shown, std::deque<std::optional<T>>& answers, const std::string& what)
{
    shown.push_back(value);
    const std::optional<T> answer = takeAnswer(answers, what);
    if (!answer)
        return false;
    value = *answer;
    return true;
}

} // namespace

void ScriptedServices::answerFileDialog(const std::string& path, bool readOnly)
{
    m_fileAnswers.emplace_back(FileDialogResult { path, readOnly });
}

std::vector<std::string> ScriptedServices::messageTexts() const
{
    std::vector<std::string> texts;
    for (const ShownMessage& message : m_messages)
        texts.push_back(message.text);
    return texts;
}

bool ScriptedServices::allAnswersUsed() const
{
    return m_messageAnswers.empty() && m_fileAnswers.empty() && m_fontAnswers.empty() && m_colorAnswers.empty()
           && m_itemAnswers.empty();
}

MessageAnswer ScriptedServices::messageBox(const std::string& text, MessageButtons buttons, MessageIcon icon)
{
    m_messages.push_back({ text, buttons, icon });
    if (buttons == MessageButtons::Ok && m_messageAnswers.empty())
        return MessageAnswer::Ok;
    return takeAnswer(m_messageAnswers, "message box \"" + text + "\"");
}

std::optional<FileDialogResult> ScriptedServices::fileDialog(const FileDialogRequest& request)
{
    m_fileDialogs.push_back(request);
    return takeAnswer(m_fileAnswers, "file dialog \"" + request.title + "\"");
}

bool ScriptedServices::chooseFont(LogFont& font)
{
    return choose(font, m_fontDialogs, m_fontAnswers, "font dialog");
}

bool ScriptedServices::chooseColor(ColorRef& color)
{
    return choose(color, m_colorDialogs, m_colorAnswers, "colour dialog");
}

bool ScriptedServices::chooseItem(const std::string& title, const std::vector<std::string>&, std::string& item)
{
    return choose(item, m_itemDialogs, m_itemAnswers, "item dialog \"" + title + "\"");
}

bool ScriptedServices::startDetached(const std::vector<std::string>& argv)
{
    m_started.push_back(argv);
    return true;
}

bool ScriptedServices::openAddress(const std::string& address)
{
    m_addresses.push_back(address);
    return true;
}

void ScriptedServices::setWaitCursor(bool on)
{
    m_waitCursor = on;
}

} // namespace framework
