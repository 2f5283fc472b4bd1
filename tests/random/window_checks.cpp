#include <QApplication>
#include <QLineEdit>

#include "core/bivalo_doc.h"
#include "core/row_queries.h"
#include "core/side.h"
#include "panes/bivalo_view.h"
#include "shell/bivalo_app.h"
#include "shell/main_frame.h"
#include "tests/random/window_driver.h"

// The invariants the driver checks after every step.
namespace random_driver {
namespace {

const char* sideName(int side)
{
    return side == core::kSourceSide ? "source" : "target";
}

std::string firstDifference(const std::string& expected, const std::string& actual)
{
    std::size_t at = 0;
    while (at < expected.size() && at < actual.size() && expected[at] == actual[at])
        ++at;
    auto around = [at](const std::string& bytes) {
        std::string shown;
        for (const char c : bytes.substr(at > 20 ? at - 20 : 0, 50))
            shown += c == '\n' ? std::string("\\n") : c == '\r' ? std::string("\\r")
                                                   : c == '\t' ? std::string("\\t") : std::string(1, c);
        return shown;
    };
    return "byte " + std::to_string(at) + " (" + std::to_string(expected.size()) + " expected, " +
           std::to_string(actual.size()) + " written): expected \"" + around(expected) + "\", written \"" +
           around(actual) + "\"";
}

} // namespace

std::string WindowDriver::check(const Step& step)
{
    if (!frame().isVisible()) {
        const std::vector<std::string> shown = m_services.messageTexts();
        return "window: the main window closed" + (shown.empty() ? std::string() : " after \"" + shown.back() + "\"");
    }
    std::string failure = m_model.learn(doc(), isPaste(step), m_compares.count);
    if (failure.empty())
        failure = m_model.checkRowMaps(doc());
    if (failure.empty())
        failure = checkPanes();
    if (failure.empty())
        failure = checkSaves();
    if (failure.empty() && step.kind == StepKind::SaveAs && !m_services.savedAs().empty()) {
        const int side = frame().activeView() == &pane(core::kSourceSide) ? core::kSourceSide : core::kTargetSide;
        failure = checkSavedFile(m_services.savedAs(), side, "Save As");
    }
    if (failure.empty() && doc().undoStore().undoCount() == 0)
        m_model.noteUndoPoint(doc());
    return failure;
}

// Both grids show the document's rows, stand on one of them and name its line.
std::string WindowDriver::checkPanes()
{
    for (int side : {core::kSourceSide, core::kTargetSide}) {
        grid::TCell& grid = *pane(side).grid();
        if (grid.rowCount() != doc().rowCount())
            return std::string("grid: the ") + sideName(side) + " grid has " + std::to_string(grid.rowCount()) +
                   " rows, the document " + std::to_string(doc().rowCount());
        const int row = grid.position().row;
        if (doc().rowCount() > 0 && (row < 0 || row >= doc().rowCount()))
            return std::string("current-row: the ") + sideName(side) + " stands on row " + std::to_string(row) +
                   " of " + std::to_string(doc().rowCount());
        if (std::string failure = checkCaption(side); !failure.empty())
            return failure;
    }
    return {};
}

std::string WindowDriver::checkCaption(int side)
{
    const int row = pane(side).grid()->position().row;
    if (doc().rowCount() == 0 || row < 0 || row >= doc().rowCount())
        return {};
    const std::int32_t entry = doc().rows(side)[std::size_t(row)];
    const std::string& caption = pane(side).captionText();
    const std::size_t colon = caption.rfind(" : ");
    const std::string number = colon == std::string::npos ? "" : caption.substr(colon + 3);
    if (core::isVirtualRow(entry)) {
        if (number.empty())
            return {};
        return std::string("caption: the ") + sideName(side) + " caption \"" + caption + "\" names a line on filler row " +
               std::to_string(row);
    }
    const std::string expected = std::to_string(savedLineNumber(side, row));
    if (number == expected)
        return {};
    return std::string("caption: the ") + sideName(side) + " caption \"" + caption + "\" on row " +
           std::to_string(row) + ", line " + expected;
}

// The number the row's line would have in the saved file: the rows above it that start a line
// there, a piece and the line after it on its side being one line.
int WindowDriver::savedLineNumber(int side, int row)
{
    const core::LineFile& file = doc().file(side);
    const core::RowMap& rows = doc().rows(side);
    int number = 0;
    const core::LineRecord* previous = nullptr;
    for (int r = 0; r <= row; ++r) {
        const core::LineRecord* line = file.lineAt(rows[std::size_t(r)]);
        if (line == nullptr)
            continue;
        number += previous == nullptr || !previous->continues();
        previous = line;
    }
    return number;
}

// A file whose stamp changed although the driver did not write it was saved by the program.
std::string WindowDriver::checkSaves()
{
    for (int side : {core::kSourceSide, core::kTargetSide}) {
        const DiskStamp now = stampOf(m_paths[side]);
        if (now == m_stamps[std::size_t(side)])
            continue;
        m_stamps[std::size_t(side)] = now;
        if (std::string failure = checkSavedFile(m_paths[side], side, "save"); !failure.empty())
            return failure;
        if (std::string failure = checkOpenEdit(side); !failure.empty())
            return failure;
    }
    return {};
}

std::string WindowDriver::checkSavedFile(const std::string& path, int side, const char* what)
{
    const std::string expected = m_model.expectedFile(doc(), side);
    const std::string written = testing_support::readFile(path);
    if (written == expected)
        return {};
    return std::string("bytes: ") + what + " of the " + sideName(side) + " wrote other bytes than its rows: " +
           firstDifference(expected, written);
}

// The text of an open in-cell edit is part of what is saved.
std::string WindowDriver::checkOpenEdit(int side)
{
    auto* editor = qobject_cast<QLineEdit*>(pane(side).grid()->activeEditor());
    if (editor == nullptr || doc().rowCount() == 0)
        return {};
    const int row = pane(side).grid()->position().row;
    const char* shown = pane(side).GetCellText(row, 0);
    const core::LineRecord* line = doc().file(side).lineAt(doc().rows(side)[std::size_t(row)]);
    // The row shows a line without its trailing blanks, a piece with them.
    const std::string text = line != nullptr && line->continues() ? editor->text().toStdString()
                                                                  : trimmedRight(editor->text().toStdString());
    // An empty editor on a filler row holds nothing to save.
    if (shown != nullptr ? text == shown : text.empty())
        return {};
    return std::string("open-edit: the ") + sideName(side) + " was saved while its editor held \"" + text.substr(0, 60) +
           "\" and row " + std::to_string(row) + " \"" + (shown ? std::string(shown).substr(0, 60) : "<filler>") + "\"";
}

} // namespace random_driver
