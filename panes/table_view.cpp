#include "panes/table_view.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>

#include "framework/command_ids.h"
#include "grid/cell_messages.h"
#include "panes/view_frame.h"
#include "platform/window_messages.h"

namespace panes {

using framework::LParam;
using framework::LResult;
using framework::WParam;

namespace {

constexpr const char* kEmpty = "";

template <typename Record>
Record* recordOf(LParam lParam)
{
    return reinterpret_cast<Record*>(lParam);
}

} // namespace

CTableView::CTableView(framework::Document& document, ViewFrame& frame) : m_document(document), m_frame(frame)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_document.addView(this);
    addEditCommands();
}

CTableView::~CTableView()
{
    m_grid.reset();
    m_document.removeView(this);
}

bool CTableView::createView(QWidget* parent)
{
    if (!create(parent, QRect(), platform::WS_VISIBLE, 0))
        return false;
    CreateTable();
    placeGrid();
    return true;
}

void CTableView::initialUpdate()
{
    InitTable();
}

void CTableView::CreateTable()
{
    adoptGrid(std::make_unique<grid::TCellTableBox>());
}

void CTableView::adoptGrid(std::unique_ptr<grid::TCellTableBox> grid)
{
    m_grid = std::move(grid);
    m_grid->createBox(this, QRect(), kGridId, 0);
}

QRect CTableView::gridRect() const
{
    return clientRect().adjusted(-1, -1, 1, 1);
}

void CTableView::placeGrid()
{
    if (m_grid && m_grid->isCreated())
        m_grid->setGeometry(gridRect());
}

void CTableView::onSize(int, int)
{
    placeGrid();
}

void CTableView::onSetFocus(QWidget*)
{
    m_frame.activateView(this);
    onActivateView(true);
}

void CTableView::onActivateView(bool activate)
{
    if (!activate || !m_grid)
        return;
    QWidget* focus = QApplication::focusWidget();
    if (focus == m_grid.get() || m_grid->isAncestorOf(focus))
        return;
    m_grid->setFocus(Qt::OtherFocusReason);
}

bool CTableView::preTranslateKey(int, Qt::KeyboardModifiers)
{
    return false;
}

bool CTableView::hasFocusWithin() const
{
    const QWidget* focus = QApplication::focusWidget();
    return focus != nullptr && (focus == this || isAncestorOf(focus));
}

bool CTableView::editorOpen() const
{
    return m_grid && qobject_cast<QLineEdit*>(m_grid->activeEditor()) != nullptr;
}

// Through the grid to the editor's own operations, which keep its mask, overwrite mode
// and one-line paste.
void CTableView::sendToEditor(framework::MessageId message)
{
    m_grid->send(message, 0, 0);
}

bool CTableView::hostCanCopy() const
{
    return editorOpen() && qobject_cast<QLineEdit*>(m_grid->activeEditor())->hasSelectedText();
}

bool CTableView::hostCanCut() const
{
    return hostCanCopy();
}

bool CTableView::hostCanPaste() const
{
    return editorOpen() && !QApplication::clipboard()->text().isEmpty();
}

void CTableView::hostCopy()
{
    if (editorOpen())
        sendToEditor(platform::WM_COPY);
}

void CTableView::hostCut()
{
    if (editorOpen())
        sendToEditor(platform::WM_CUT);
}

void CTableView::hostPaste()
{
    if (editorOpen())
        sendToEditor(platform::WM_PASTE);
}

void CTableView::carryOut(framework::CommandId id)
{
    framework::CommandUI ui(id);
    if (runEnable(ui) && !ui.enabled())
        return;
    runCommand(id);
}

void CTableView::addEditCommands()
{
    using namespace framework;
    onCommand(ID_EDIT_COPY, [this] { hostCopy(); });
    onCommand(ID_EDIT_PASTE, [this] { hostPaste(); });
    onCommand(ID_EDIT_CUT, [this] { hostCut(); });
    onEnable(ID_EDIT_COPY, [this](CommandUI& ui) { ui.enable(hostCanCopy()); });
    onEnable(ID_EDIT_CUT, [this](CommandUI& ui) { ui.enable(hostCanCut()); });
    onEnable(ID_EDIT_PASTE, [this](CommandUI& ui) { ui.enable(hostCanPaste()); });
}

const char* CTableView::GetCellText(int, int)
{
    return kEmpty;
}

bool CTableView::SetCellText(grid::TableValue*)
{
    return false;
}

bool CTableView::OnCellChanged(grid::TableCellChange*)
{
    return false;
}

LResult CTableView::GetCellEditKind(int, int)
{
    return grid::kEditText;
}

bool CTableView::OnCellCommand(grid::TableValue*)
{
    return true;
}

bool CTableView::cellColor(int, grid::TableColorRequest&)
{
    return false;
}

bool CTableView::cellMarks(int, grid::TableCellMarks&)
{
    return false;
}

const char* CTableView::cellTip(int)
{
    return nullptr;
}

LResult CTableView::onGridNotify(const grid::TCellNotify&)
{
    return 0;
}

bool CTableView::onKeyOffer(int)
{
    return false;
}

LResult CTableView::windowProc(framework::MessageId message, WParam wParam, LParam lParam)
{
    switch (message) {
    case grid::TBM_GETVALUE:
        return LResult(GetCellText(grid::packedRow(lParam), grid::packedField(lParam)));
    case grid::TBM_EDITKIND:
        return GetCellEditKind(grid::packedRow(lParam), grid::packedField(lParam));
    case grid::TBM_SETVALUE:
        return SetCellText(recordOf<grid::TableValue>(lParam)) ? 1 : 0;
    case grid::TBM_CELLCHANGED: {
        auto* change = recordOf<grid::TableCellChange>(lParam);
        m_grid->send(grid::TCM_REDRAWCELL, WParam(change->column), change->row);
        return OnCellChanged(change) ? 1 : 0;
    }
    case grid::TBM_EDITEVENT:
        return lParam == 0 ? 1 : (OnCellCommand(recordOf<grid::TableValue>(lParam)) ? 1 : 0);
    case grid::TBM_CELLCOLOR:
        return cellColor(grid::packedRow(LParam(wParam)), *recordOf<grid::TableColorRequest>(lParam)) ? 1 : 0;
    case grid::TBM_CELLMARKS:
        return cellMarks(grid::packedRow(LParam(wParam)), *recordOf<grid::TableCellMarks>(lParam)) ? 1 : 0;
    case grid::TBM_TOOLTIP:
        return LResult(cellTip(grid::packedRow(lParam)));
    case grid::TCN_NOTIFY:
        return onGridNotify(*recordOf<grid::TCellNotify>(lParam));
    case platform::WM_NOTIFY:
        return onKeyOffer(recordOf<grid::TableKeyOffer>(lParam)->key) ? 1 : 0;
    case platform::WM_COMMAND:
        if (platform::lowWord(LParam(wParam)) == kGridId) {
            const int code = grid::commandCode(wParam);
            if (code == grid::TBN_CELLEDITED && !m_document.isModified())
                m_document.setModifiedFlag(true);
            else if (code == grid::TBN_CURROWCHANGED)
                onCurrentRowChanged();
            return 0;
        }
        carryOut(framework::CommandId(platform::lowWord(LParam(wParam))));
        return 0;
    default:
        break;
    }
    return platform::Window::windowProc(message, wParam, lParam);
}

} // namespace panes
