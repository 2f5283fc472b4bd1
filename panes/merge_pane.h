#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/merge_doc.h"
#include "core/merge_session.h"
#include "panes/table_view.h"

namespace panes {

class DiffBlockMap;

// One column of the merge window (LOCAL, the result, REMOTE or BASE): one grid row per
// aligned row of the merge, coloured by the kind of its chunk, under a caption strip that
// names the file. Its scrolling keeps the other columns in step. The result column is
// edited in place with the grid's in-cell editor. Every column carries the navigation and
// the takes, which act on the chunk of its current row.
class CMergePane : public CTableView {
public:
    static constexpr int kColumnWidth = 2000;   // the narrowest the text column gets

    CMergePane(core::CMergeDoc& document, ViewFrame& frame, core::MergePane column);

    core::MergePane column() const { return m_column; }
    const std::string& captionText() const { return m_captionText; }

    void InitTable() override;
    void CreateTable() override;
    const char* GetCellText(int row, int column) override;
    framework::LResult GetCellEditKind(int row, int column) override;
    bool SetCellText(grid::TableValue* value) override;
    bool IsEditable() override { return m_column == core::MergePane::Result; }
    void onUpdate(framework::View* sender, int hint, void* object) override;
    void onActivateView(bool activate) override;
    QRect gridRect() const override;

    // Makes the row current, centred, and brings the other columns along.
    void goToRow(int row);

protected:
    bool cellColor(int row, grid::TableColorRequest& request) override;
    void onCurrentRowChanged() override;
    framework::LResult onGridNotify(const grid::TCellNotify& notify) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void addMergeCommands();
    void addMove(framework::CommandId id, bool forwards, bool openOnly);
    void addTake(framework::CommandId id, core::MergeChoice choice);
    int currentRow() const;
    bool currentRowIsChange() const;
    void takeRows();
    void sendScrollState(bool withVisibleRows);
    int captionHeight() const;
    void updateCaption();

    core::CMergeDoc& m_doc;
    core::MergePane m_column;
    std::string m_cellText;     // keeps the answered text alive
    std::string m_captionText;
    bool m_syncGuard = false;
};

// The values of the overview strip for the merge's rows: open conflicts strongest, then
// REMOTE's changes, then LOCAL's and the rest of the changes.
void buildMergeStrip(const core::MergeSession& session, DiffBlockMap& map);

} // namespace panes
