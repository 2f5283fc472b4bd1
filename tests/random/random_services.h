#pragma once

#include <random>
#include <string>

#include <QTimer>

#include "tests/shell/running_app.h"

namespace random_driver {

// The user at the dialogs: message boxes get a random one of their buttons, the save dialog a
// new name in the run's folder, other file dialogs and the font and colour dialogs Cancel;
// while a step runs, the Go-to-line dialog gets a line number (or Cancel), EasyJoin some
// presses of its buttons, any other dialog Cancel and a popup menu is closed. The answers of
// a step come from its own seed.
class RandomServices : public testing_support::ModalScriptedServices {
public:
    explicit RandomServices(std::string saveFolder);

    // Answers from this seed until the step ends; endStep() closes what is still open.
    void beginStep(std::uint32_t seed);
    void endStep();

    // The name the last save dialog was given, empty when none came up in this step.
    const std::string& savedAs() const { return m_savedAs; }
    // The message texts shown during this step.
    const std::vector<std::string>& stepMessages() const { return m_stepMessages; }

    framework::MessageAnswer messageBox(const std::string& text, framework::MessageButtons buttons,
                                        framework::MessageIcon icon) override;
    std::optional<framework::FileDialogResult> fileDialog(const framework::FileDialogRequest& request) override;
    bool chooseFont(framework::LogFont& font) override;
    bool chooseColor(framework::ColorRef& color) override;

private:
    std::size_t below(std::size_t n) { return m_random() % n; }
    void answerOpenWidget();
    void answerDialog(QWidget& dialog);

    std::string m_saveFolder;
    std::mt19937 m_random;
    QTimer m_watch;
    bool m_answering = false;
    int m_presses = 0;
    int m_saves = 0;
    std::string m_savedAs;
    std::vector<std::string> m_stepMessages;
};

} // namespace random_driver
