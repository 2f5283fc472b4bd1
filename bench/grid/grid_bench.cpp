// Paints a table box and Qt's QTableView over the same million rows, in the same window
// size and font, and reports the time for one full page and for paging down 1000 pages.
#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTableView>
#include <cstdio>
#include <functional>

#include "bench/grid/bench_table.h"
#include "bench/grid/row_model.h"

namespace {

constexpr int kPaintRounds = 300;
constexpr int kPages = 1000;

double millisecondsPer(int rounds, const std::function<void()>& round)
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < rounds; ++i)
        round();
    return double(timer.nsecsElapsed()) / 1e6 / rounds;
}

void pageDown(QWidget* target)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_PageDown, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &press);
    QCoreApplication::sendEvent(target, &release);
    QCoreApplication::processEvents();
}

struct Figures {
    double page = 0;
    double pages = 0;
    int row = 0;
    double cellsPerPage = 0;
    double cellsPerPageDown = 0;
};

Figures measureTableBox(const QSize& size)
{
    bench::BenchTable table(bench::kBenchRows);
    table.resize(size);
    table.show();
    QCoreApplication::processEvents();
    grid::TCellTableBox& box = table.box();
    Figures figures;
    long long before = table.textRequests();
    figures.page = millisecondsPer(kPaintRounds, [&] { box.repaint(); });
    figures.cellsPerPage = double(table.textRequests() - before) / kPaintRounds;
    before = table.textRequests();
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < kPages; ++i)
        pageDown(&box);
    figures.cellsPerPageDown = double(table.textRequests() - before) / kPages;
    figures.pages = double(timer.nsecsElapsed()) / 1e6;
    figures.row = box.position().row;
    return figures;
}

Figures measureTableView(const QSize& size, const QFont& font, int rowHeight, const std::vector<int>& widths)
{
    bench::RowModel model;
    QTableView view;
    view.setFont(font);
    view.setModel(&model);
    view.verticalHeader()->hide();
    view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view.verticalHeader()->setDefaultSectionSize(rowHeight);
    view.horizontalHeader()->setFont(font);
    for (std::size_t column = 0; column < widths.size(); ++column)
        view.setColumnWidth(int(column), widths[column]);
    view.horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    view.setSelectionBehavior(QAbstractItemView::SelectItems);
    view.resize(size);
    view.show();
    view.setCurrentIndex(model.index(0, 0));
    QCoreApplication::processEvents();
    Figures figures;
    long long before = model.dataCalls;
    figures.page = millisecondsPer(kPaintRounds, [&] {
        view.viewport()->repaint();
        view.horizontalHeader()->viewport()->repaint();
    });
    figures.cellsPerPage = double(model.dataCalls - before) / kPaintRounds;
    before = model.dataCalls;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < kPages; ++i)
        pageDown(&view);
    figures.cellsPerPageDown = double(model.dataCalls - before) / kPages;
    figures.pages = double(timer.nsecsElapsed()) / 1e6;
    figures.row = view.currentIndex().row();
    return figures;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QSize size(900, 600);
    QFont font;
    int rowHeight = 0;
    std::vector<int> widths;
    {
        bench::BenchTable probe(1);
        font = probe.box().font(1).font();
        rowHeight = probe.box().defaultRowHeight();
        for (int column = 0; column < probe.box().columnCount(); ++column)
            widths.push_back(probe.box().columnWidth(column));
    }
    Figures box = measureTableBox(size);
    Figures view = measureTableView(size, font, rowHeight, widths);
    std::printf("%d rows, %dx%d window, font %s %dpx, row height %d\n", bench::kBenchRows, size.width(),
                size.height(), qPrintable(font.family()), QFontInfo(font).pixelSize(), rowHeight);
    std::printf("%-14s %14s %8s %22s %10s %12s %8s\n", "", "full page (ms)", "cells", "1000 page downs (ms)",
                "last row", "ms per page", "cells");
    for (const auto& [name, figures] : {std::pair{"TCellTableBox", box}, std::pair{"QTableView", view}})
        std::printf("%-14s %14.3f %8.0f %22.1f %10d %12.3f %8.0f\n", name, figures.page, figures.cellsPerPage,
                    figures.pages, figures.row, figures.pages / kPages, figures.cellsPerPageDown);
    return 0;
}
