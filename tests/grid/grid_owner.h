#pragma once

#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "grid/cell.h"
#include "platform/virtual_keys.h"
#include "platform/window_messages.h"

namespace grid_test {

using namespace grid;

// A notify window for a grid: answers the cell text "r<row>c<column>", records every
// notification and request, and vetoes what a test asks it to.
class GridOwner : public platform::Window {
public:
    std::vector<int> codes;                 // TCN_NOTIFY codes in order
    std::vector<TCellNotify> notifications;
    int queries = 0;
    int textRequests = 0;
    bool vetoMoves = false;
    std::chrono::milliseconds slowNotify{0};  // time taken over every notification
    std::map<int, LResult> answers;         // notification code -> answer
    std::function<std::string(int column, int row)> text = [](int column, int row) {
        return "r" + std::to_string(row) + "c" + std::to_string(column);
    };
    std::function<std::string(int fixedColumn, int row)> fixedText = [](int, int row) {
        return std::to_string(row + 1);
    };
    // Numbers of data and fixed cells (image numbers); -1 answers none.
    std::function<long long(int column, int row)> number = [](int, int) { return -1; };
    std::function<long long(int fixedColumn, int row)> fixedNumber = [](int, int) { return -1; };

    int count(int code) const
    {
        int n = 0;
        for (int c : codes)
            n += c == code;
        return n;
    }
    void clear()
    {
        codes.clear();
        notifications.clear();
        queries = 0;
        textRequests = 0;
    }

protected:
    LResult windowProc(framework::MessageId message, WParam wParam, LParam lParam) override
    {
        switch (message) {
        case TCN_NOTIFY: {
            const auto* record = reinterpret_cast<const TCellNotify*>(lParam);
            codes.push_back(record->code);
            if (slowNotify.count() > 0)
                std::this_thread::sleep_for(slowNotify);
            notifications.push_back(*record);
            const auto answer = answers.find(record->code);
            return answer == answers.end() ? 0 : answer->second;
        }
        case TCM_QUERYPOSCHANGE:
            ++queries;
            return vetoMoves ? 1 : 0;
        case TCM_GETCELLDATA: {
            auto* request = reinterpret_cast<TCellDataRequest*>(lParam);
            if (wParam == kCellDataNumber || wParam == kCellDataFixedNumber) {
                const long long value = wParam == kCellDataNumber ? number(request->column, request->row)
                                                                  : fixedNumber(request->column, request->row);
                if (value < 0)
                    return 0;
                request->value = LParam(value);
                return kVeto;
            }
            if (wParam != kCellDataText && wParam != kCellDataFixedText)
                return 0;
            ++textRequests;
            const std::string value = wParam == kCellDataText ? text(request->column, request->row)
                                                              : fixedText(request->column, request->row);
            std::snprintf(reinterpret_cast<char*>(request->value), 4096, "%s", value.c_str());
            return kVeto;
        }
        default:
            return Window::windowProc(message, wParam, lParam);
        }
    }
};

// A grid of the given style inside its owner, with columns and rows.
struct GridFixture {
    std::unique_ptr<GridOwner> owner = std::make_unique<GridOwner>();
    TCell* grid = new TCell;

    GridFixture(std::uint32_t style, int columns, int rows, int width = 400, int height = 300, int columnWidth = 60)
    {
        owner->resize(width + 40, height + 40);
        const std::uint32_t windowStyle = platform::WS_VISIBLE | platform::WS_VSCROLL | platform::WS_HSCROLL | style;
        grid->create(owner.get(), QRect(0, 0, width, height), windowStyle, 77);
        for (int i = 0; i < columns; ++i) {
            TCellColumn column;
            column.width = columnWidth;
            TCellColumnList list{1, &column};
            grid->send(TCM_INSERTCOLS, static_cast<WParam>(-1), reinterpret_cast<LParam>(&list));
        }
        if (rows > 0)
            grid->send(TCM_INSERTROWS, 0, rows);
        grid->send(TCM_SETROWHEIGHT, static_cast<WParam>(-1), 20);
        owner->clear();
    }

    const TCellPosition& pos() const { return grid->position(); }
};

} // namespace grid_test
