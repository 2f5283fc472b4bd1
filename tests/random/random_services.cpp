#include "tests/random/random_services.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include "shell/easy_join_dlg.h"
#include "shell/goto_line_dlg.h"

namespace random_driver {

using namespace framework;

RandomServices::RandomServices(std::string saveFolder) : m_saveFolder(std::move(saveFolder))
{
    m_watch.setInterval(1);
    QObject::connect(&m_watch, &QTimer::timeout, [this] { answerOpenWidget(); });
}

void RandomServices::beginStep(std::uint32_t seed)
{
    m_random.seed(seed);
    m_presses = 0;
    m_savedAs.clear();
    m_stepMessages.clear();
    m_watch.start();
}

void RandomServices::endStep()
{
    for (int i = 0; i < 20 && (QApplication::activeModalWidget() || QApplication::activePopupWidget()); ++i)
        QApplication::processEvents();
    m_watch.stop();
}

MessageAnswer RandomServices::messageBox(const std::string& text, MessageButtons buttons, MessageIcon icon)
{
    m_stepMessages.push_back(text);
    switch (buttons) {
    case MessageButtons::Ok:
        break;
    case MessageButtons::OkCancel:
        answerMessage(below(2) == 0 ? MessageAnswer::Ok : MessageAnswer::Cancel);
        break;
    case MessageButtons::YesNo:
        answerMessage(below(2) == 0 ? MessageAnswer::Yes : MessageAnswer::No);
        break;
    case MessageButtons::YesNoCancel: {
        const std::size_t pick = below(3);
        answerMessage(pick == 0 ? MessageAnswer::Yes : pick == 1 ? MessageAnswer::No : MessageAnswer::Cancel);
        break;
    }
    }
    return ModalScriptedServices::messageBox(text, buttons, icon);
}

std::optional<FileDialogResult> RandomServices::fileDialog(const FileDialogRequest& request)
{
    if (request.save && below(5) != 0) {
        m_savedAs = m_saveFolder + "/saved" + std::to_string(++m_saves) + ".txt";
        answerFileDialog(m_savedAs);
    } else {
        cancelFileDialog();
    }
    return ModalScriptedServices::fileDialog(request);
}

bool RandomServices::chooseFont(LogFont& font)
{
    answerFont(std::nullopt);
    return ModalScriptedServices::chooseFont(font);
}

bool RandomServices::chooseColor(ColorRef& color)
{
    answerColor(std::nullopt);
    return ModalScriptedServices::chooseColor(color);
}

void RandomServices::answerOpenWidget()
{
    if (m_answering)
        return;
    m_answering = true;
    if (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
    else if (QWidget* modal = QApplication::activeModalWidget())
        answerDialog(*modal);
    m_answering = false;
}

void RandomServices::answerDialog(QWidget& dialog)
{
    if (auto* gotoLine = qobject_cast<CGotoLineDlg*>(&dialog)) {
        if (below(5) == 0) {
            gotoLine->reject();
            return;
        }
        gotoLine->lineNumberField().setText(QString::number(below(60)));
        if (gotoLine->goButton().isEnabled())
            gotoLine->goButton().click();
        else
            gotoLine->reject();
        return;
    }
    if (auto* easyJoin = qobject_cast<CEasyJoinDlg*>(&dialog)) {
        QPushButton* buttons[] = {&easyJoin->copyToTargetButton(), &easyJoin->skipButton(),
                                  &easyJoin->copyToSourceButton(), &easyJoin->skipButton()};
        QPushButton* button = buttons[below(4)];
        if (++m_presses > 12 || below(15) == 0)
            easyJoin->cancelButton().click();
        else if (button->isEnabled())
            button->click();
        return;
    }
    if (auto* other = qobject_cast<QDialog*>(&dialog))
        other->reject();
    else
        dialog.close();
}

} // namespace random_driver
