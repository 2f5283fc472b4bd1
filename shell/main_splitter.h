#pragma once

#include <QSplitter>

// The main window's static splitter of one row and three columns: overview strip, source
// pane, target pane. A double click on a split bar gives the columns their start widths.
class CMainSplitter : public QSplitter {
    Q_OBJECT

public:
    static constexpr int kStripWidth = 30;
    static constexpr int kStripMinimum = 10;
    static constexpr int kPaneMinimum = 30;

    explicit CMainSplitter(QWidget* parent = nullptr);

    // Strip 30 pixels, each pane width / 2 - 25; nothing for a width below 1.
    void resetColumns(int width);

protected:
    QSplitterHandle* createHandle() override;
};
