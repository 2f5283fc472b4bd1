#pragma once

#include <functional>

#include <QWidget>

#include "core/bivalo_doc.h"
#include "framework/view.h"
#include "panes/diff_block_map.h"
#include "platform/painter.h"

namespace panes {

// The narrow strip beside the panes that draws the whole comparison as a bar, one coloured
// line per pixel row, with a marker of the rows the panes show. A left click sends the
// panes to the clicked row, a right click to the nearest difference; the focus goes on to
// the source pane.
class CDiffPreview : public QWidget, public framework::View {
    Q_OBJECT

public:
    static constexpr int kBarLeft = 10;
    static constexpr int kBarRightMargin = 5;
    static constexpr int kMarkerLeft = 4;
    static constexpr int kMarkerRight = 9;

    // Rows the strip of a compare builds in one turn of the event loop.
    static constexpr std::int32_t kRowsPerStep = 1 << 20;
    // Fills the map from the document's rows, from the top when start is true and on from
    // where it stopped otherwise; true once the map is complete.
    using MapBuilder = std::function<bool(DiffBlockMap&, bool start)>;

    explicit CDiffPreview(core::CBivaloDoc& document, QWidget* parent = nullptr);
    // A strip over another document's rows, such as the merge's.
    CDiffPreview(framework::Document& document, MapBuilder build, QWidget* parent = nullptr);
    ~CDiffPreview() override;

    void onUpdate(framework::View* sender, int hint, void* object) override;

    const DiffBlockMap& blockMap() const { return m_map; }
    int firstVisibleRow() const { return m_firstVisible; }
    int lastVisibleRow() const { return m_lastVisible; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void rebuild();
    // The next step of the build of round, unless a newer round began.
    void continueBuild(int round);
    void drawBar(platform::Painter& painter);
    void drawMarker(platform::Painter& painter);
    void goToRow(int row);
    // The frame and the marker: black on a light window, light on a dark one.
    framework::ColorRef inkColor() const;

    framework::Document& m_document;
    MapBuilder m_build;
    DiffBlockMap m_map;
    int m_buildRound = 0;
    int m_lastVisible = 0;
    int m_firstVisible = 0;
    int m_barEnd = 0;    // the y where the last drawing of the bar ended
};

} // namespace panes
