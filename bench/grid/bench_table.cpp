#include "bench/grid/bench_table.h"

#include "bench/grid/row_model.h"
#include "platform/window_messages.h"

namespace bench {

namespace {

const int kWidths[kBenchColumns] = {90, 160, 360, 110};
constexpr int kTextColumn = 2;

} // namespace

BenchTable::BenchTable(int rows)
{
    create(nullptr, QRect(0, 0, 900, 600), platform::WS_VISIBLE, 0);
    m_box = new grid::TCellTableBox;
    m_box->createBox(this, rect(), 1, 0);
    for (int column = 0; column < kBenchColumns; ++column)
        m_box->addField({.caption = benchHeaderText(column).toStdString(), .width = kWidths[column],
                         .widthInPixels = true});
    m_box->setUp(rows, 4);
    m_box->modifyStyle(grid::TCS_VGRID, 0);
    onSize(width(), height());
}

framework::LResult BenchTable::windowProc(framework::MessageId message, framework::WParam wParam,
                                         framework::LParam lParam)
{
    if (message == grid::TBM_GETVALUE) {
        ++m_textRequests;
        m_text = benchCellText(grid::packedRow(lParam), grid::packedField(lParam)).toStdString();
        return framework::LResult(m_text.c_str());
    }
    return Window::windowProc(message, wParam, lParam);
}

// The text column takes the width the others leave, so the rows end at the window's edge.
void BenchTable::onSize(int width, int height)
{
    if (!m_box)
        return;
    m_box->setGeometry(0, 0, width, height);
    int others = 0;
    for (int column = 0; column < kBenchColumns; ++column)
        others += column == kTextColumn ? 0 : m_box->columnWidth(column);
    const int area = m_box->clientArea().width();
    if (area > others + kWidths[kTextColumn])
        m_box->send(grid::TCM_SETCOLWIDTH, kTextColumn, area - others);
}

} // namespace bench
