#include "tests/random/pair_model.h"

#include <set>

#include "core/bivalo_doc.h"
#include "core/side.h"
#include "settings/app_settings.h"
#include "tests/support/temp_dir.h"

namespace random_driver {
namespace {

const char* sideName(int side)
{
    return side == core::kSourceSide ? "source" : "target";
}

std::int32_t rowOf(const core::RowMap& rows, std::int32_t rowCount, std::int32_t index)
{
    for (std::int32_t row = 0; row < rowCount && std::size_t(row) < rows.size(); ++row) {
        if (rows[std::size_t(row)] == index)
            return row;
    }
    return -1;
}

// The saver's own idea of the record, for what the driver cannot tell.
ExpectedLine codeLine(const core::LineFile& file, std::int32_t index)
{
    ExpectedLine line;
    file.appendBytes(index, line.bytes);
    line.end = std::string(file.lineEndOf(index));
    line.joinsNext = file.lineAt(index)->continues();
    line.source = LineSource::Unknown;
    line.text = std::string(file.lineAt(index)->text());
    const settings::AppSettings& options = settings::appSettings();
    if (file.originOf(index) == core::LineOrigin::Typed && options.UseTab)
        line.bytes = blanksToTabs(line.bytes, options.TabSize);
    return line;
}

} // namespace

void PairModel::noteRowsBefore(const core::CBivaloDoc& doc, OpenEdits openEdits, int compares)
{
    m_comparesBefore = compares;
    m_rowsBefore = {doc.sourceRows(), doc.destinationRows()};
    m_rowCountBefore = doc.rowCount();
    m_openEdits = std::move(openEdits);
}

std::string PairModel::learn(core::CBivaloDoc& doc, bool pasted, int compares)
{
    for (int side : {core::kSourceSide, core::kTargetSide}) {
        if (std::string problem = takeReread(doc, side, compares != m_comparesBefore); !problem.empty())
            return problem;
    }
    // One step may copy a line that it also made on the other side (EasyJoin commits an edit,
    // then copies it): a copy is learnt once the line it faces is.
    while (learnSide(doc, core::kSourceSide, pasted, true) | learnSide(doc, core::kTargetSide, pasted, true)) {
    }
    // Two copies facing each other, both new: neither can wait for the other.
    while (learnSide(doc, core::kSourceSide, pasted, false) | learnSide(doc, core::kTargetSide, pasted, false)) {
    }
    return {};
}

std::string PairModel::takeReread(core::CBivaloDoc& doc, int side, bool reread)
{
    ExpectedBytes& expected = m_sides[std::size_t(side)];
    const core::LineFile& file = doc.file(side);
    if (!expected.ready() || reread || expected.wasReloaded(file)) {
        const std::string problem = expected.reset(testing_support::readFile(file.path()), file);
        if (!problem.empty())
            return std::string("line-list: the ") + sideName(side) + " as loaded differs from its bytes: " + problem;
    }
    return {};
}

bool PairModel::learnSide(core::CBivaloDoc& doc, int side, bool pasted, bool waitForFacing)
{
    ExpectedBytes& expected = m_sides[std::size_t(side)];
    const core::LineFile& file = doc.file(side);
    const std::int32_t known = expected.knownCount();
    for (std::int32_t index = known; index < file.count(); ++index) {
        if (waitForFacing && facesUnknownLine(doc, side, index, pasted))
            break;
        expected.learn(learnRecord(doc, side, index, pasted));
        if (!waitForFacing)
            break;
    }
    return expected.knownCount() != known;
}

bool PairModel::facesUnknownLine(core::CBivaloDoc& doc, int side, std::int32_t index, bool pasted) const
{
    if (pasted || doc.file(side).originOf(index) != core::LineOrigin::Copied)
        return false;
    const std::int32_t row = rowOf(doc.rows(side), doc.rowCount(), index);
    const int other = 1 - side;
    return row >= 0 && doc.rows(other)[std::size_t(row)] >= m_sides[std::size_t(other)].knownCount();
}

ExpectedLine PairModel::learnRecord(core::CBivaloDoc& doc, int side, std::int32_t index, bool pasted)
{
    const core::LineFile& file = doc.file(side);
    switch (file.originOf(index)) {
    case core::LineOrigin::Copied:
        // A pasted line brings the clipboard's bytes, which the paste tests judge.
        return pasted ? codeLine(file, index)
                      : copiedLine(doc, side, index, rowOf(doc.rows(side), doc.rowCount(), index));
    case core::LineOrigin::Edited:
    case core::LineOrigin::Typed:
        return editedLine(doc, side, index, pasted);
    case core::LineOrigin::Read:
        break;
    }
    return codeLine(file, index);
}

// The line the open editor made, as it held it; else the line the record took the row of.
ExpectedLine PairModel::editedLine(core::CBivaloDoc& doc, int side, std::int32_t index, bool pasted)
{
    const core::LineFile& file = doc.file(side);
    const core::LineRecord& record = *file.lineAt(index);
    const ExpectedBytes& expected = m_sides[std::size_t(side)];
    const settings::AppSettings& options = settings::appSettings();
    std::string text(record.text());
    std::int32_t old = -1;
    std::optional<OpenEdit>& open = m_openEdits[std::size_t(side)];
    if (open && (record.continues() ? open->text : trimmedRight(open->text)) == text) {
        old = open->entry;
        text = std::move(open->text);
        open.reset();
    } else {
        const std::int32_t row = rowOf(doc.rows(side), doc.rowCount(), index);
        const core::RowMap& before = m_rowsBefore[std::size_t(side)];
        if (row >= 0 && doc.rowCount() == m_rowCountBefore && std::size_t(row) < before.size())
            old = before[std::size_t(row)];
    }
    const ExpectedLine* oldLine = expected.line(old);
    // A line or a piece of one that the edit replaced in its row.
    const bool samePlace = oldLine != nullptr && oldLine->joinsNext == record.continues();
    // A line made in the program is saved as its text, however often it is edited.
    const bool edited = file.originOf(index) == core::LineOrigin::Edited;
    if (edited) {
        // A line edited where the driver cannot tell from which line: the saver's own idea.
        if (pasted || !samePlace)
            return codeLine(file, index);
        return {editedBytes(oldLine->bytes, oldLine->text, text, options.TabSize, options.UseTab != 0,
                            oldLine->joinsNext),
                oldLine->end, oldLine->joinsNext, LineSource::Edited, std::string(record.text())};
    }
    text = record.text();
    return {options.UseTab ? blanksToTabs(text, options.TabSize) : text, expected.lineEnd(), record.continues(),
            LineSource::Typed, text};
}

// A copy stands in the row of the line it was copied from; failing that, a line of the
// other file with the same text and only one way of writing it.
ExpectedLine PairModel::copiedLine(core::CBivaloDoc& doc, int side, std::int32_t index, std::int32_t row) const
{
    const core::LineFile& file = doc.file(side);
    const int other = 1 - side;
    const ExpectedBytes& from = m_sides[std::size_t(other)];
    const core::LineFile& fromFile = doc.file(other);
    const std::string text(file.lineAt(index)->text());
    const ExpectedLine* origin = nullptr;
    if (row >= 0) {
        const ExpectedLine* facing = from.line(doc.rows(other)[std::size_t(row)]);
        if (facing != nullptr && facing->text == text)
            origin = facing;
    }
    if (origin == nullptr) {
        std::set<std::string> ways;
        for (std::int32_t k = 0; k < fromFile.count(); ++k) {
            const ExpectedLine* candidate = from.line(k);
            if (candidate != nullptr && candidate->text == text) {
                ways.insert(candidate->bytes + (candidate->joinsNext ? "+" : "."));
                origin = candidate;
            }
        }
        if (ways.size() != 1)
            origin = nullptr;
    }
    if (origin == nullptr)
        return codeLine(file, index);
    return {origin->bytes, m_sides[std::size_t(side)].lineEnd(), origin->joinsNext, LineSource::Copied, text};
}

std::string PairModel::expectedFile(const core::CBivaloDoc& doc, int side) const
{
    return m_sides[std::size_t(side)].fileBytes(side == core::kSourceSide ? doc.sourceRows() : doc.destinationRows(),
                                                doc.rowCount());
}

std::string PairModel::checkRowMaps(core::CBivaloDoc& doc) const
{
    for (int side : {core::kSourceSide, core::kTargetSide}) {
        const core::RowMap& rows = doc.rows(side);
        const std::string name = sideName(side);
        if (rows.size() < std::size_t(doc.rowCount()))
            return "row-map: the " + name + " has " + std::to_string(rows.size()) + " rows, the document " +
                   std::to_string(doc.rowCount());
        std::set<std::int32_t> shown;
        for (std::int32_t row = 0; row < doc.rowCount(); ++row) {
            const std::int32_t entry = rows[std::size_t(row)];
            const std::int32_t count = doc.file(side).count();
            const bool valid = entry >= 0 ? entry < count : -1 - entry <= count;
            if (!valid)
                return "row-map: " + name + " row " + std::to_string(row) + " holds " + std::to_string(entry) +
                       " with " + std::to_string(count) + " lines";
            if (entry >= 0 && !shown.insert(entry).second)
                return "row-map: " + name + " line " + std::to_string(entry) + " shown twice";
        }
    }
    return {};
}

std::vector<std::string> PairModel::rowTexts(core::CBivaloDoc& doc, int side)
{
    std::vector<std::string> texts;
    for (std::int32_t row = 0; row < doc.rowCount(); ++row) {
        const core::LineRecord* line = doc.file(side).lineAt(doc.rows(side)[std::size_t(row)]);
        texts.push_back(line != nullptr ? std::string(line->text()) : "<filler>");
    }
    return texts;
}

void PairModel::noteUndoPoint(core::CBivaloDoc& doc)
{
    m_haveUndoPoint = true;
    m_undoPoint = {rowTexts(doc, core::kSourceSide), rowTexts(doc, core::kTargetSide)};
}

std::string PairModel::compareWithUndoPoint(core::CBivaloDoc& doc) const
{
    if (!m_haveUndoPoint)
        return {};
    for (int side : {core::kSourceSide, core::kTargetSide}) {
        const std::vector<std::string> now = rowTexts(doc, side);
        const std::vector<std::string>& then = m_undoPoint[std::size_t(side)];
        if (now == then)
            continue;
        std::size_t row = 0;
        while (row < now.size() && row < then.size() && now[row] == then[row])
            ++row;
        return std::string("undo-all: the ") + sideName(side) + " has " + std::to_string(now.size()) +
               " rows, had " + std::to_string(then.size()) + "; first difference at row " + std::to_string(row) +
               ": \"" + (row < now.size() ? now[row].substr(0, 60) : "-") + "\" instead of \"" +
               (row < then.size() ? then[row].substr(0, 60) : "-") + "\"";
    }
    return {};
}

} // namespace random_driver
