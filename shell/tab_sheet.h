#pragma once

#include <QDialog>
#include <vector>

class QStackedLayout;
class QTabBar;
class QWidget;

// A dialog that shows child pages in one area, chosen by a tab bar. Pages are kept in
// groups; the tab bar shows the pages of one group at a time. Ctrl+Tab and Ctrl+Shift+Tab
// step through the pages, wrapping around.
class CTabSheet : public QDialog {
public:
    explicit CTabSheet(QWidget* parent = nullptr);

    // The tab bar and the area in which the pages are shown.
    void setTabControl(QTabBar* tabs, QWidget* pageArea);
    void setGroupCount(int count);
    // Appends the page, hidden in the page area, to the group's list.
    void addPage(QWidget* page, int group);
    // Shows the group's pages as tabs (when the group changes) and selects the page.
    void selectGroup(int group, int page);
    // Selects a page of the current group (-1: the current index), clamped to its pages.
    void selectPage(int index);

    int currentIndex() const { return m_index; }
    QWidget* currentPage() const { return m_page; }

    void nextPage();
    void previousPage();

private:
    const std::vector<QWidget*>& pages() const { return m_groups[std::size_t(m_group)]; }

    QTabBar* m_tabs = nullptr;
    QStackedLayout* m_pageStack = nullptr;
    std::vector<std::vector<QWidget*>> m_groups;
    int m_group = -1;
    int m_index = -1;
    QWidget* m_page = nullptr;
};
