#include "shell/tab_sheet.h"

#include <QShortcut>
#include <QStackedLayout>
#include <QTabBar>
#include <algorithm>

namespace {

constexpr std::size_t kGroupRoom = 10;

} // namespace

CTabSheet::CTabSheet(QWidget* parent)
    : QDialog(parent)
{
    auto* next = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this);
    connect(next, &QShortcut::activated, this, &CTabSheet::nextPage);
    for (QKeyCombination keys : {Qt::CTRL | Qt::SHIFT | Qt::Key_Tab, Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab}) {
        auto* previous = new QShortcut(QKeySequence(keys), this);
        connect(previous, &QShortcut::activated, this, &CTabSheet::previousPage);
    }
}

void CTabSheet::setTabControl(QTabBar* tabs, QWidget* pageArea)
{
    m_tabs = tabs;
    m_pageStack = new QStackedLayout(pageArea);
    m_pageStack->setContentsMargins(0, 0, 0, 0);
    connect(m_tabs, &QTabBar::currentChanged, this, &CTabSheet::selectPage);
}

void CTabSheet::setGroupCount(int count)
{
    m_groups.resize(std::size_t(std::max(count, 0)));
    for (std::vector<QWidget*>& group : m_groups)
        group.reserve(kGroupRoom);
}

void CTabSheet::addPage(QWidget* page, int group)
{
    Q_ASSERT(m_pageStack && group >= 0 && group < int(m_groups.size()));
    if (m_pageStack->indexOf(page) < 0)
        m_pageStack->addWidget(page);
    page->hide();
    m_groups[std::size_t(group)].push_back(page);
}

void CTabSheet::selectGroup(int group, int page)
{
    Q_ASSERT(group >= 0 && group < int(m_groups.size()));
    if (group != m_group) {
        const QSignalBlocker quiet(m_tabs);
        while (m_tabs->count() > 0)
            m_tabs->removeTab(0);
        m_group = group;
        m_index = -1;
        m_page = nullptr;
        for (QWidget* each : pages())
            m_tabs->addTab(each->windowTitle());
    }
    selectPage(page);
}

void CTabSheet::selectPage(int index)
{
    if (m_group < 0 || pages().empty())
        return;
    if (index == -1)
        index = m_index;
    index = std::clamp(index, 0, int(pages().size()) - 1);
    QWidget* page = pages()[std::size_t(index)];
    if (page != m_page) {
        m_pageStack->setCurrentWidget(page);
        page->show();
        m_page = page;
    }
    m_index = index;
    const QSignalBlocker quiet(m_tabs);
    m_tabs->setCurrentIndex(index);
}

void CTabSheet::nextPage()
{
    if (m_group < 0 || pages().empty())
        return;
    selectPage((m_index + 1) % int(pages().size()));
}

void CTabSheet::previousPage()
{
    if (m_group < 0 || pages().empty())
        return;
    const int count = int(pages().size());
    selectPage((m_index + count - 1) % count);
}
