#include "platform/qt_services.h"

#include <algorithm>

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QProcess>
#include <QUrl>

#include "platform/color_ref.h"
#include "platform/display_text.h"
#include "platform/file_dialog.h"
#include "platform/font_conversion.h"

namespace platform {

namespace {

using framework::MessageAnswer;
using framework::MessageButtons;
using framework::MessageIcon;

QMessageBox::StandardButtons standardButtons(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::Ok: return QMessageBox::Ok;
    case MessageButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon messageIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::None: return QMessageBox::NoIcon;
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Error: return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

MessageAnswer answerOf(int button)
{
    switch (button) {
    case QMessageBox::Yes: return MessageAnswer::Yes;
    case QMessageBox::No: return MessageAnswer::No;
    case QMessageBox::Cancel: return MessageAnswer::Cancel;
    default: return MessageAnswer::Ok;
    }
}

QString fromUtf8(const std::string& text)
{
    return QString::fromStdString(text);
}

// "*.*" means every file here.
QString qtPattern(QString pattern)
{
    pattern = pattern.trimmed();
    return pattern == QLatin1String("*.*") ? QStringLiteral("*") : pattern;
}

struct NameFilter {
    QString name;
    QStringList patterns;
};

// The pairs of name and masks; the list ends at a pair with neither ("||").
std::vector<NameFilter> parseFilter(const std::string& filter)
{
    const QStringList parts = fromUtf8(filter).split(QLatin1Char('|'));
    std::vector<NameFilter> filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty() && parts[i + 1].trimmed().isEmpty())
            break;
        NameFilter parsed;
        for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts))
            if (!pattern.trimmed().isEmpty())
                parsed.patterns << qtPattern(pattern);
        if (parsed.patterns.isEmpty())
            parsed.patterns << QStringLiteral("*");
        parsed.name = parts[i].isEmpty() ? parts[i + 1].trimmed() : parts[i];
        filters.push_back(parsed);
    }
    return filters;
}

} // namespace

QtServices::~QtServices()
{
    setWaitCursor(false);
}

MessageAnswer QtServices::messageBox(const std::string& text, MessageButtons buttons, MessageIcon icon)
{
    QMessageBox box(messageIcon(icon), QString::fromLatin1(framework::kAppTitle), displayText(text),
                    standardButtons(buttons), QApplication::activeWindow());
    return answerOf(box.exec());
}

QStringList QtServices::nameFilters(const std::string& filter)
{
    QStringList names;
    for (const NameFilter& parsed : parseFilter(filter))
        names << QStringLiteral("%1 (%2)").arg(parsed.name, parsed.patterns.join(QLatin1Char(' ')));
    return names;
}

std::vector<QStringList> QtServices::filterPatterns(const std::string& filter)
{
    std::vector<QStringList> patterns;
    for (const NameFilter& parsed : parseFilter(filter))
        patterns.push_back(parsed.patterns);
    return patterns;
}

std::optional<framework::FileDialogResult> QtServices::fileDialog(const framework::FileDialogRequest& request)
{
    return makeFileDialog(request)->run();
}

std::unique_ptr<FileDialog> QtServices::makeFileDialog(const framework::FileDialogRequest& request)
{
    return std::make_unique<FileDialog>(request, QApplication::activeWindow());
}

bool QtServices::chooseFont(framework::LogFont& font)
{
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, toQFont(font), QApplication::activeWindow());
    if (ok)
        font = toLogFont(chosen);
    return ok;
}

bool QtServices::chooseColor(framework::ColorRef& color)
{
    const QColor chosen = QColorDialog::getColor(toQColor(color), QApplication::activeWindow());
    if (!chosen.isValid())
        return false;
    color = toColorRef(chosen);
    return true;
}

bool QtServices::chooseItem(const std::string& title, const std::vector<std::string>& items, std::string& item)
{
    QStringList names;
    for (const std::string& name : items)
        names << fromUtf8(name);
    const auto current = std::find(items.begin(), items.end(), item);
    bool ok = false;
    const QString chosen =
        QInputDialog::getItem(QApplication::activeWindow(), QString::fromLatin1(framework::kAppTitle), fromUtf8(title),
                              names, int(current == items.end() ? 0 : current - items.begin()), true, &ok);
    if (!ok)
        return false;
    item = storedText(chosen);
    return true;
}

bool QtServices::isShiftDown()
{
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier);
}

bool QtServices::isControlDown()
{
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ControlModifier);
}

std::string QtServices::clipboardText()
{
    return storedText(QGuiApplication::clipboard()->text());
}

std::string QtServices::selectionText()
{
    return storedText(QGuiApplication::clipboard()->text(QClipboard::Selection));
}

void QtServices::setClipboardText(const std::string& text)
{
    QGuiApplication::clipboard()->setText(displayText(text));
}

bool QtServices::startDetached(const std::vector<std::string>& argv)
{
    if (argv.empty() || argv.front().empty())
        return false;
    QStringList arguments;
    for (std::size_t i = 1; i < argv.size(); ++i)
        arguments << fromUtf8(argv[i]);
    return QProcess::startDetached(fromUtf8(argv.front()), arguments);
}

bool QtServices::openAddress(const std::string& address)
{
    return QDesktopServices::openUrl(QUrl::fromUserInput(fromUtf8(address)));
}

void QtServices::setWaitCursor(bool on)
{
    if (on == m_waitCursor)
        return;
    m_waitCursor = on;
    if (on)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

} // namespace platform
