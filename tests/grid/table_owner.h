#pragma once

#include <QComboBox>
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "grid/table_box_records.h"
#include "platform/painter.h"
#include "platform/window.h"
#include "platform/window_messages.h"

namespace grid::testing {

// The parent of a table box in the tests: keeps the values of its fields, answers the
// requests as told and records what the box told it.
class TableOwner : public platform::Window {
public:
    TableOwner() { create(nullptr, QRect(0, 0, 640, 400), platform::WS_VISIBLE, 0); }

    std::vector<std::vector<std::string>> cells;   // [field][row]
    framework::LResult editKind = kEditText;
    framework::LResult storeAnswer = 1;
    framework::LResult takeKeys = 0;
    framework::LResult refuseSelection = 0;

    std::vector<framework::WParam> commands;        // wParam of every WM_COMMAND
    std::vector<int> offeredKeys;
    std::vector<std::pair<int, int>> moves;         // destination, row
    std::vector<std::pair<int, int>> changedCells;  // column, row
    std::vector<int> storedIntegers;                // values stored into integer fields
    std::vector<int> integerFields;
    std::vector<int> editEvents;                    // state words of TBM_EDITEVENT, -1 for none
    int dragOvers = 0;
    int drops = 0;
    framework::LResult allowDrag = 0;
    std::string tooltip;                            // answer to TBM_TOOLTIP, none when empty
    std::vector<framework::LParam> tooltipCells;
    bool drawsListItems = false;                    // measures (30 high) and paints them red
    int measuredItems = 0;
    std::vector<int> drawnItems;

    int commandCount(int code) const
    {
        int count = 0;
        for (framework::WParam wParam : commands)
            count += int(wParam >> 16) == code && (wParam & 0xFFFF) != 0;
        return count;
    }
    bool wasCancelled() const
    {
        for (framework::WParam wParam : commands)
            if (wParam == framework::WParam(kCancelCommand))
                return true;
        return false;
    }

protected:
    framework::LResult windowProc(framework::MessageId message, framework::WParam wParam,
                                  framework::LParam lParam) override
    {
        switch (message) {
        case TBM_GETVALUE: {
            std::size_t field = std::size_t(packedField(lParam));
            std::size_t row = std::size_t(packedRow(lParam));
            if (field < cells.size() && row < cells[field].size())
                return framework::LResult(cells[field][row].c_str());
            return 0;
        }
        case TBM_SETVALUE: {
            auto* value = reinterpret_cast<TableValue*>(lParam);
            if (std::find(integerFields.begin(), integerFields.end(), value->field) != integerFields.end()) {
                storedIntegers.push_back(value->value.int32);
                return 1;
            }
            if (storeAnswer > 0)
                cells[std::size_t(value->field)][std::size_t(value->row)] = value->value.text;
            return storeAnswer;
        }
        case TBM_EDITKIND: return editKind;
        case TBM_EDITEVENT: {
            auto* value = reinterpret_cast<TableValue*>(lParam);
            editEvents.push_back(value ? value->state : -1);
            if (value && value->state == TableValue::ListEditBegins)
                static_cast<QComboBox*>(value->editor)->addItems({"red", "green", "blue"});
            return 1;
        }
        case TBM_CANDRAG: return allowDrag;
        case TBM_DRAGOVER: ++dragOvers; return 1;
        case TBM_DROP: ++drops; return 1;
        case TBM_CELLCHANGED: {
            auto* change = reinterpret_cast<TableCellChange*>(lParam);
            changedCells.emplace_back(change->column, change->row);
            return 1;
        }
        case TBM_MOVEROW: moves.emplace_back(int(framework::LParam(wParam)), int(lParam)); return 0;
        case TBM_QUERYSELCHANGE: return refuseSelection;
        case TBM_TOOLTIP:
            tooltipCells.push_back(lParam);
            return tooltip.empty() ? 0 : framework::LResult(tooltip.c_str());
        case platform::WM_MEASUREITEM:
            ++measuredItems;
            if (drawsListItems)
                reinterpret_cast<TableListMeasureItem*>(lParam)->itemHeight = 30;
            return drawsListItems;
        case platform::WM_DRAWITEM: {
            auto* item = reinterpret_cast<TableListDrawItem*>(lParam);
            drawnItems.push_back(item->itemId);
            if (drawsListItems)
                item->painter->fillRect(QRect(item->rect.left, item->rect.top, item->rect.right - item->rect.left,
                                              item->rect.bottom - item->rect.top),
                                        0x0000FF);
            return drawsListItems;
        }
        case platform::WM_COMMAND: commands.push_back(wParam); return 0;
        case platform::WM_NOTIFY:
            offeredKeys.push_back(reinterpret_cast<TableKeyOffer*>(lParam)->key);
            return takeKeys;
        default: return Window::windowProc(message, wParam, lParam);
        }
    }
};

} // namespace grid::testing
