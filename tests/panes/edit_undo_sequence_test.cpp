#include <gtest/gtest.h>

#include <random>

#include <QClipboard>
#include <QTest>

#include "framework/command_ids.h"
#include "framework/command_router.h"
#include "grid/cell_edit.h"
#include "grid/cell_messages.h"
#include "tests/panes/pane_fixture.h"

namespace {

using namespace framework;

// Random runs of edits through the panes, each followed by as many undos: every run must
// give back exactly the rows, the counters and a file that saves as before.
class EditUndoSequenceTest : public pane_tests::PaneTest {
protected:
    struct Snapshot {
        core::RowMap sourceRows;
        core::RowMap destinationRows;
        std::int32_t rowCount = 0;
        int sourceGridRows = 0;
        int targetGridRows = 0;
        bool operator==(const Snapshot&) const = default;
    };

    EditUndoSequenceTest()
    {
        router.setDocument(&doc);
        grid::CMaskEdit::setOverwriteMode(false);
    }
    ~EditUndoSequenceTest() override { grid::CMaskEdit::setOverwriteMode(false); }

    Snapshot snapshot() const
    {
        return {doc.sourceRows(), doc.destinationRows(), doc.rowCount(), source.grid()->rowCount(), target.grid()->rowCount()};
    }

    panes::CBivaloView& pane(int side) { return side == 0 ? static_cast<panes::CBivaloView&>(source) : target; }

    void activate(panes::CBivaloView& view)
    {
        frame.active = &view;
        router.setActiveView(&view);
    }

    void goTo(int row)
    {
        source.grid()->send(grid::TCM_SETCURCELL, 0, row);
        target.grid()->send(grid::TCM_SETCURCELL, 0, row);
    }

    // Types a letter into the current cell of the pane and moves down, which stores it.
    void typeInto(panes::CBivaloView& view)
    {
        if (view.grid()->activeEditor() == nullptr)
            return;
        QTest::keyClick(view.grid(), Qt::Key_Q);
        QTest::keyClick(view.grid()->activeEditor(), Qt::Key_Down);
    }

    void select(panes::CBivaloView& view, int first, int count)
    {
        view.grid()->send(grid::TCM_SELECTROW, WParam(-1), 0);
        for (int row = first; row < std::min(first + count, doc.rowCount()); ++row)
            view.grid()->send(grid::TCM_SELECTROW, WParam(row), 1);
    }

    void randomEdit(std::mt19937& random)
    {
        panes::CBivaloView& view = pane(int(random() % 2));
        activate(view);
        goTo(int(random() % std::uint32_t(std::max(doc.rowCount(), 1))));
        switch (random() % 10) {
        case 0: typeInto(view); break;
        case 1: view.insertLine(); break;
        case 2: view.deleteLine(false); break;
        case 3: view.deleteLine(true); break;
        case 4: router.execute(ID_COPY_DIFF_TO_TARGET); break;
        case 5: router.execute(ID_COPY_LINE_TO_SOURCE); break;
        case 6: router.execute(ID_COPY_DIFF_TO_SOURCE); break;
        case 7:
            select(view, int(random() % std::uint32_t(doc.rowCount())), 1 + int(random() % 3));
            router.execute(ID_EDIT_CUT);
            view.grid()->send(grid::TCM_SELECTROW, WParam(-1), 0);
            break;
        default:
            grid::CMaskEdit::setOverwriteMode(random() % 2 == 0);
            QApplication::clipboard()->setText("pasted one\npasted two\n");
            router.execute(ID_EDIT_PASTE);
            break;
        }
    }

    // Saves both sides over their own files.
    void saveBoth()
    {
        EXPECT_TRUE(doc.saveRows(doc.source(), doc.sourceRows()));
        EXPECT_TRUE(doc.saveRows(doc.destination(), doc.destinationRows()));
    }

    CommandRouter router;
};

TEST_F(EditUndoSequenceTest, UpTo63EditsAndAsManyUndosGiveBackTheExactRows)
{
    const std::string left = "a\nb\nc\nd\ne\nf\ng\nh\ni\nj\nk\nl\n";
    const std::string right = "a\r\nB\r\nc  \r\nd\r\nx\r\ny\r\ne\r\nf\r\nh\r\ni\r\nJ\r\nK\r\nl\r\nm";
    std::mt19937 random(20261209);
    for (int run = 0; run < 12; ++run) {
        ASSERT_TRUE(compare(left, right));
        doc.setEditMode(true);
        source.grid()->refreshEditor();
        target.grid()->refreshEditor();
        const Snapshot before = snapshot();
        const int edits = 1 + int(random() % 63);
        for (int i = 0; i < edits; ++i)
            randomEdit(random);
        for (int i = 0; i < edits; ++i)
            router.execute(ID_UNDO);

        EXPECT_EQ(snapshot(), before) << "run " << run << " with " << edits << " edits";
        EXPECT_EQ(doc.source().changes(), 0) << "run " << run;
        EXPECT_EQ(doc.destination().changes(), 0) << "run " << run;
        EXPECT_FALSE(doc.isModified()) << "run " << run;
        EXPECT_FALSE(router.isEnabled(ID_FILE_SAVE_ALL)) << "run " << run;
        saveBoth();
        EXPECT_EQ(dir.read("left.txt"), left) << "run " << run;
        EXPECT_EQ(dir.read("right.txt"), right) << "run " << run;
    }
}

} // namespace
