#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include <string>
#include <vector>

#include "grid/cell_table_box.h"
#include "panes/bivalo_view.h"
#include "shell/main_splitter.h"
#include "tests/shell/running_app.h"

namespace testing_support {

// A whole merge as a user makes it: keys to the window, a save, the file on disk.
class MergeByHand : public RunningApp {
protected:
    // Three differences: a changed line, a target-only line, a source-only line; and lines
    // that show the same with other bytes (trailing blanks, a tab for the blanks).
    void startOnPair()
    {
        left = dir.write("left.txt", kLeft);
        right = dir.write("right.txt", "one\r\nTWO\r\nthree\r\nextra\r\nfour  \r\n\tindented\r\nsix\r\n");
        startShown();
    }

    // The program on left and right, shown, with the focus in the target pane.
    void startShown()
    {
        settings::appSettings().UseAlt = 1;
        start({left, right});
        frame().show();
        QApplication::setActiveWindow(&frame());
        frame().activateView(&pane(2));
        pane(2).grid()->setFocus();
        QApplication::processEvents();
    }

    panes::CBivaloView& pane(int column)
    {
        return *static_cast<panes::CBivaloView*>(frame().splitter().widget(column));
    }

    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        // Through the window, as the desktop delivers keys: the modifier state follows.
        QTest::keyClick(frame().windowHandle(), key, modifiers);
        QApplication::processEvents();
    }

    int currentRow() { return pane(2).grid()->position().row; }
    std::string cellText(int row, int column = 2)
    {
        const char* text = pane(column).GetCellText(row, 0);
        return text != nullptr ? text : "";
    }

    // Near the left end of the row: the row is far wider than the pane.
    static QPoint rowPoint(const grid::TCell& grid, int row)
    {
        const QRect area = grid.cellRect(0, row).translated(grid.clientArea().topLeft());
        return QPoint(area.left() + 20, area.center().y());
    }

    static void mouse(QWidget* widget, QEvent::Type type, const QPoint& at, Qt::MouseButtons buttons)
    {
        QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }

    // The rows where a difference block starts, from the top.
    std::vector<int> differenceStarts()
    {
        std::vector<int> starts;
        panes::CBivaloView& target = pane(2);
        for (int row = 0; row < doc().rowCount(); ++row) {
            if (target.isDifferenceRow(row) && (row == 0 || !target.isDifferenceRow(row - 1)))
                starts.push_back(row);
        }
        return starts;
    }

    static constexpr const char* kLeft = "one\n\ttwo\nthree\nfour\nfive\n    indented\nsix\n";
    // The source's bytes where lines were copied, with the target's line end; every other
    // byte as it was.
    static constexpr const char* kMerged = "one\r\n\ttwo\r\nthree\r\nfour  \r\nfive\r\n\tindented\r\nsix\r\n";
};

} // namespace testing_support
