#include "shell/easy_join_dlg.h"

#include <QFontMetrics>
#include <QPushButton>
#include <QScreen>

#include "core/bivalo_doc.h"
#include "shell/window_placement.h"

using namespace framework;

namespace {

// The size of the dialog and of its buttons, in dialog units.
constexpr int kDialogWidth = 164;
constexpr int kDialogHeight = 29;
constexpr int kButtonWidth = 50;
constexpr int kButtonHeight = 11;

} // namespace

CEasyJoinDlg::CEasyJoinDlg(core::CBivaloDoc& document, Services& services, const CommandRouter& router,
                           QWidget* parent)
    : QDialog(parent),
      m_router(router),
      m_walk(document.easyJoinWalk(services, *this))
{
    setWindowTitle("EasyJoin !");
    setObjectName(QString::number(kTemplateId));
    m_copyToTarget = addButton("&>>", kCopyToTargetId, 7, 3, kButtonWidth, kButtonHeight);
    m_skip = addButton("&Skip", kSkipId, 57, 3, kButtonWidth, kButtonHeight);
    m_copyToSource = addButton("&<<", kCopyToSourceId, 107, 3, kButtonWidth, kButtonHeight);
    m_cancel = addButton("&Cancel", IDCANCEL, 57, 14, kButtonWidth, kButtonHeight);
    // The end of a pass arrives as the OK command; its button is never shown.
    addButton("OK", IDOK, 142, 18, 15, 7)->hide();
    setFixedSize(dialogUnits(0, 0, kDialogWidth, kDialogHeight).size());

    m_copyToTarget->setEnabled(m_walk.canCopyToTarget());
    m_copyToSource->setEnabled(m_walk.canCopyToSource());
    connect(m_copyToTarget, &QPushButton::clicked, this, [this] { m_walk.copyToTarget(); });
    connect(m_skip, &QPushButton::clicked, this, [this] { m_walk.skip(); });
    connect(m_copyToSource, &QPushButton::clicked, this, [this] { m_walk.copyToSource(); });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    onCommand(IDOK, [this] { m_walk.endOfPass(); });
}

int CEasyJoinDlg::run()
{
    if (!m_walk.open())
        return Rejected;
    return exec();
}

void CEasyJoinDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    moveToTopOfScreen();
}

void CEasyJoinDlg::sendCommand(CommandId id)
{
    m_router.execute(id);
}

QPushButton* CEasyJoinDlg::addButton(const char* text, int id, int x, int y, int width, int height)
{
    auto* button = new QPushButton(text, this);
    button->setObjectName(QString::number(id));
    button->setGeometry(dialogUnits(x, y, width, height));
    return button;
}

// A dialog unit is a quarter of the font's average character width across and an eighth of
// its height down.
QRect CEasyJoinDlg::dialogUnits(int x, int y, int width, int height) const
{
    const QFontMetrics metrics(font());
    const int across = metrics.averageCharWidth();
    const int down = metrics.height();
    return QRect(x * across / 4, y * down / 8, width * across / 4, height * down / 8);
}

void CEasyJoinDlg::moveToTopOfScreen()
{
    // Under Wayland the compositor places the dialog, over the main window.
    const QScreen* shownOn = screen();
    if (shownOn == nullptr || !shell::programPlacesWindows())
        return;
    const QRect area = shownOn->geometry();
    move(area.left() + (area.width() - frameGeometry().width()) / 2, area.top());
}
