#include "shell/load_progress_bar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "platform/to_qstring.h"

namespace {

constexpr int kSteps = 1000;

} // namespace

CLoadProgressBar::CLoadProgressBar(QWidget* parent) : QWidget(parent)
{
    setObjectName("loadProgress");
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    m_label = new QLabel(this);
    m_bar = new QProgressBar(this);
    m_bar->setTextVisible(false);
    m_bar->setMaximumWidth(240);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancel->setObjectName("cancelLoad");
    m_cancel->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(m_label, 1);
    layout->addWidget(m_bar);
    layout->addWidget(m_cancel);
    connect(m_cancel, &QPushButton::clicked, this, &CLoadProgressBar::cancelRequested);
    m_showTimer.setSingleShot(true);
    m_showTimer.setInterval(kShowAfterMilliseconds);
    connect(&m_showTimer, &QTimer::timeout, this, &CLoadProgressBar::showProgress);
    m_refreshTimer.setInterval(kRefreshMilliseconds);
    connect(&m_refreshTimer, &QTimer::timeout, this, &CLoadProgressBar::refresh);
    hide();
}

void CLoadProgressBar::follow(ProgressSource progress)
{
    m_progress = std::move(progress);
    if (!isVisible())
        m_showTimer.start();
}

void CLoadProgressBar::stop()
{
    m_showTimer.stop();
    m_refreshTimer.stop();
    m_progress = nullptr;
    hide();
}

QString CLoadProgressBar::text() const
{
    return m_label->text();
}

void CLoadProgressBar::showProgress()
{
    refresh();
    show();
    m_refreshTimer.start();
}

void CLoadProgressBar::refresh()
{
    const core::WorkProgress* progress = m_progress ? m_progress() : nullptr;
    if (progress == nullptr)
        return;
    const core::WorkProgress::Snapshot snapshot = progress->snapshot();
    m_label->setText(platform::toQString(core::describeProgress(snapshot)));
    if (snapshot.total == 0) {
        // A pipe has no known length: the bar only says that work goes on.
        m_bar->setRange(0, 0);
        return;
    }
    m_bar->setRange(0, kSteps);
    m_bar->setValue(static_cast<int>(snapshot.shareOf(kSteps)));
}
