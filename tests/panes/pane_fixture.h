#pragma once

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <QApplication>
#include <QImage>
#include <QWidget>

#include "core/bivalo_doc.h"
#include "framework/scripted_services.h"
#include "panes/bivalo_view.h"
#include "panes/diff_preview.h"
#include "panes/dst_view.h"
#include "panes/view_frame.h"
#include "platform/color_ref.h"
#include "settings/app_settings.h"
#include "settings/color_table.h"
#include "tests/support/fresh_settings.h"
#include "tests/support/temp_dir.h"

namespace pane_tests {

using framework::ColorRef;
using framework::MessageId;

// The window around the panes: records what is posted to it and which pane is active.
class RecordingFrame : public panes::ViewFrame, public framework::MessageTarget, public core::DocumentHost {
public:
    void activateView(panes::CTableView* view) override { active = view; }
    panes::CTableView* activeView() const override { return active; }
    framework::MessageTarget& frameWindow() override { return *this; }
    void showContextMenu(const QPoint&) override { ++contextMenus; }
    std::optional<framework::FileDialogResult> saveAsDialog(const framework::FileDialogRequest& request) override
    {
        return services->fileDialog(request);
    }
    // The Find box text (message 0x600) and the commands sent at once.
    framework::LResult sendToFrame(MessageId message, framework::WParam wParam, framework::LParam lParam) override
    {
        if (message == framework::WM_GET_FIND_TEXT) {
            if (findText.empty())
                return 0;
            *reinterpret_cast<std::string*>(lParam) = findText;
            return 1;
        }
        sent.push_back({message, wParam});
        return 0;
    }
    std::optional<int> askLineNumber(int lineNumber) override
    {
        askedLineNumbers.push_back(lineNumber);
        return lineNumberAnswer;
    }
    void showColoredMessage(const std::string& text, ColorRef background, ColorRef textColor, int tenths) override
    {
        messages.push_back({text, background, textColor, tenths});
    }
    void post(MessageId message, framework::WParam wParam, framework::LParam) override
    {
        posted.push_back({message, wParam});
    }
    framework::MessageTarget& mainWindow() override { return *this; }
    void dispatchPendingMessages() override {}
    void focusActiveView() override {}
    bool runOptionsDialog() override { return false; }
    bool createFont(const framework::LogFont& font) override { return font.Height != 0; }
    void runEasyJoin() override {}

    struct ColoredMessage {
        std::string text;
        ColorRef background = 0;
        ColorRef textColor = 0;
        int tenths = 0;
    };

    framework::Services* services = nullptr;
    panes::CTableView* active = nullptr;
    int contextMenus = 0;
    std::vector<std::pair<MessageId, framework::WParam>> posted;
    std::vector<std::pair<MessageId, framework::WParam>> sent;
    std::string findText;
    std::optional<int> lineNumberAnswer;
    std::vector<int> askedLineNumbers;
    std::vector<ColoredMessage> messages;
};

// Both panes and the strip in one window, 800 by 400 pixels, with the settings and the
// colour table put back after each test.
class PaneTest : public ::testing::Test {
protected:
    PaneTest() : doc(services, frame), source(doc, frame, services), target(doc, frame, services), strip(doc)
    {
        frame.services = &services;
        window.resize(830, 410);
        source.createView(&window);
        target.createView(&window);
        strip.setParent(&window);
        strip.setGeometry(0, 0, 30, 410);
        source.setGeometry(30, 0, 400, 400);
        target.setGeometry(430, 0, 400, 400);
        source.initialUpdate();
        target.initialUpdate();
        window.show();
    }

    ~PaneTest() override
    {
        settings::colorTable().reset();
    }

    bool compare(const std::string& left, const std::string& right)
    {
        return doc.loadAndCompare(dir.write("left.txt", left), dir.write("right.txt", right));
    }

    static std::string numberedLines(int count, const std::string& prefix = "line ")
    {
        std::string text;
        for (int i = 0; i < count; ++i)
            text += prefix + std::to_string(i) + "\n";
        return text;
    }

    // The grid's picture and a row's rectangle in it.
    static QImage gridImage(panes::CBivaloView& view) { return view.grid()->grab().toImage(); }
    static QRect rowArea(panes::CBivaloView& view, int row)
    {
        return view.grid()->cellRect(0, row).translated(view.grid()->clientArea().topLeft());
    }

    // A background pixel of the row: near the right end of the pane, where no text lies.
    static ColorRef backgroundOf(panes::CBivaloView& view, int row)
    {
        const QImage image = gridImage(view);
        const QRect cell = rowArea(view, row);
        return platform::toColorRef(image.pixelColor(std::min(cell.right(), image.width() - 20), cell.center().y()));
    }

    testing_support::TempDir dir;
    framework::ScriptedServices services;
    RecordingFrame frame;
    core::CBivaloDoc doc;
    QWidget window;
    panes::CBivaloView source;
    panes::CDstView target;
    panes::CDiffPreview strip;

private:
    testing_support::FreshSettings m_freshSettings;
};

} // namespace pane_tests
