#include "core/merge_session.h"

#include <algorithm>
#include <cassert>

#include "core/edited_bytes.h"

namespace core {

namespace {

// Cuts the line end off a line's bytes and returns it ("" for a last line that had none).
std::string cutLineEnd(std::string& bytes)
{
    std::size_t length = 0;
    if (bytes.ends_with("\r\n"))
        length = 2;
    else if (bytes.ends_with('\n') || bytes.ends_with('\r'))
        length = 1;
    std::string lineEnd = bytes.substr(bytes.size() - length);
    bytes.resize(bytes.size() - length);
    return lineEnd;
}

std::int32_t longestColumn(const MergeChunk& chunk, std::int32_t resultSize)
{
    return std::max({chunk.base.size(), chunk.local.size(), chunk.remote.size(), resultSize});
}

// The offset-th line of two ranges one after the other.
std::optional<ResultLine> lineOfPair(MergeSide first, LineRange firstLines, MergeSide second, LineRange secondLines,
                                     std::int32_t offset)
{
    if (offset < firstLines.size())
        return ResultLine{.side = first, .line = firstLines.begin + offset};
    offset -= firstLines.size();
    if (offset < secondLines.size())
        return ResultLine{.side = second, .line = secondLines.begin + offset};
    return std::nullopt;
}

} // namespace

MergeSession::MergeSession(LineFile& base, LineFile& local, LineFile& remote, const TextOptions& options,
                           WorkProgress* progress)
    : m_merge(base, local, remote, options, progress)
{
    m_resolutions.resize(m_merge.chunks().size());
    for (std::int32_t index = 0; index < chunkCount(); ++index) {
        if (chunk(index).kind == ChunkKind::Conflict) {
            m_resolutions[static_cast<std::size_t>(index)].choice = MergeChoice::Open;
            ++m_openConflicts;
        }
    }
    m_rowStarts.assign(m_resolutions.size() + 1, 0);
    recountRows(0);
}

std::int32_t MergeSession::chunkAtRow(std::int32_t row) const
{
    assert(chunkCount() > 0);
    const auto after = std::upper_bound(m_rowStarts.begin(), m_rowStarts.end() - 1, row);
    return std::clamp(static_cast<std::int32_t>(after - m_rowStarts.begin()) - 1, 0, chunkCount() - 1);
}

std::optional<ResultLine> MergeSession::lineAt(MergePane pane, std::int32_t row) const
{
    if (row < 0 || row >= rowCount())
        return std::nullopt;
    const std::int32_t index = chunkAtRow(row);
    const std::int32_t offset = row - firstRow(index);
    const MergeChunk& lines = chunk(index);
    const auto inputLine = [offset](MergeSide side, LineRange range) -> std::optional<ResultLine> {
        if (offset >= range.size())
            return std::nullopt;
        return ResultLine{.side = side, .line = range.begin + offset};
    };
    switch (pane) {
    case MergePane::Local:
        return inputLine(MergeSide::Local, lines.local);
    case MergePane::Remote:
        return inputLine(MergeSide::Remote, lines.remote);
    case MergePane::Base:
        return inputLine(MergeSide::Base, lines.base);
    case MergePane::Result:
        break;
    }
    return resultLineAt(index, offset);
}

std::string MergeSession::text(MergePane pane, std::int32_t row) const
{
    const std::optional<ResultLine> line = lineAt(pane, row);
    return line ? lineText(*line) : std::string();
}

std::string MergeSession::lineText(const ResultLine& line) const
{
    if (line.made >= 0)
        return m_madeLines[static_cast<std::size_t>(line.made)].text;
    return m_merge.input(line.side).text(line.line);
}

MergeRowKind MergeSession::rowKind(std::int32_t row) const
{
    const std::int32_t index = chunkAtRow(row);
    switch (choice(index)) {
    case MergeChoice::Open:
        return MergeRowKind::Conflict;
    case MergeChoice::Automatic:
        break;
    default:
        return MergeRowKind::Resolved;
    }
    switch (chunk(index).kind) {
    case ChunkKind::LocalOnly:
        return MergeRowKind::LocalOnly;
    case ChunkKind::RemoteOnly:
        return MergeRowKind::RemoteOnly;
    case ChunkKind::BothSame:
        return MergeRowKind::BothSame;
    default:
        return MergeRowKind::Unchanged;
    }
}

std::optional<std::int32_t> MergeSession::nextChange(std::int32_t row, bool forwards, bool openOnly) const
{
    if (rowCount() == 0)
        return std::nullopt;
    const std::int32_t step = forwards ? 1 : -1;
    std::int32_t index = row < 0 ? -1 : chunkAtRow(std::min(row, rowCount() - 1));
    for (index += step; index >= 0 && index < chunkCount(); index += step) {
        const bool changed = chunk(index).kind != ChunkKind::Unchanged || choice(index) != MergeChoice::Automatic;
        const bool wanted = openOnly ? choice(index) == MergeChoice::Open : changed;
        if (wanted && firstRow(index + 1) > firstRow(index))
            return firstRow(index);
    }
    return std::nullopt;
}

std::optional<ResultLine> MergeSession::resultLineAt(std::int32_t index, std::int32_t offset) const
{
    const MergeChunk& lines = chunk(index);
    const Resolution& resolution = m_resolutions[static_cast<std::size_t>(index)];
    const LineRange none;
    switch (resolution.choice) {
    case MergeChoice::Open:
        return std::nullopt;
    case MergeChoice::Automatic:
        if (lines.kind == ChunkKind::RemoteOnly)
            return lineOfPair(MergeSide::Remote, lines.remote, MergeSide::Remote, none, offset);
        return lineOfPair(MergeSide::Local, lines.local, MergeSide::Local, none, offset);
    case MergeChoice::Local:
        return lineOfPair(MergeSide::Local, lines.local, MergeSide::Local, none, offset);
    case MergeChoice::Remote:
        return lineOfPair(MergeSide::Remote, lines.remote, MergeSide::Remote, none, offset);
    case MergeChoice::Base:
        return lineOfPair(MergeSide::Base, lines.base, MergeSide::Base, none, offset);
    case MergeChoice::LocalThenRemote:
        return lineOfPair(MergeSide::Local, lines.local, MergeSide::Remote, lines.remote, offset);
    case MergeChoice::RemoteThenLocal:
        return lineOfPair(MergeSide::Remote, lines.remote, MergeSide::Local, lines.local, offset);
    case MergeChoice::Edited:
        break;
    }
    if (offset < 0 || offset >= static_cast<std::int32_t>(resolution.lines.size()))
        return std::nullopt;
    return resolution.lines[static_cast<std::size_t>(offset)];
}

std::int32_t MergeSession::resultSize(std::int32_t index) const
{
    const MergeChunk& lines = chunk(index);
    const Resolution& resolution = m_resolutions[static_cast<std::size_t>(index)];
    switch (resolution.choice) {
    case MergeChoice::Open:
        return 0;
    case MergeChoice::Automatic:
        return lines.kind == ChunkKind::RemoteOnly ? lines.remote.size() : lines.local.size();
    case MergeChoice::Local:
        return lines.local.size();
    case MergeChoice::Remote:
        return lines.remote.size();
    case MergeChoice::Base:
        return lines.base.size();
    case MergeChoice::LocalThenRemote:
    case MergeChoice::RemoteThenLocal:
        return lines.local.size() + lines.remote.size();
    case MergeChoice::Edited:
        break;
    }
    return static_cast<std::int32_t>(resolution.lines.size());
}

std::vector<ResultLine> MergeSession::resultLines(std::int32_t index) const
{
    std::vector<ResultLine> lines;
    const std::int32_t size = resultSize(index);
    lines.reserve(static_cast<std::size_t>(size));
    for (std::int32_t offset = 0; offset < size; ++offset)
        lines.push_back(*resultLineAt(index, offset));
    return lines;
}

bool MergeSession::canTake(std::int32_t index) const
{
    return index >= 0 && index < chunkCount() && chunk(index).kind != ChunkKind::Unchanged;
}

bool MergeSession::take(std::int32_t index, MergeChoice choice)
{
    assert(choice != MergeChoice::Open && choice != MergeChoice::Edited);
    if (!canTake(index) || this->choice(index) == choice)
        return false;
    // A conflict has nothing the merge would take by itself.
    if (choice == MergeChoice::Automatic && chunk(index).kind == ChunkKind::Conflict)
        return false;
    record(index, {.choice = choice, .lines = {}});
    return true;
}

bool MergeSession::editLine(std::int32_t row, std::string_view text, const TextForm& form, int compressTabSize)
{
    if (row < 0 || row >= rowCount())
        return false;
    const std::int32_t index = chunkAtRow(row);
    const auto offset = static_cast<std::size_t>(row - firstRow(index));
    std::vector<ResultLine> lines = resultLines(index);
    if (offset < lines.size()) {
        if (lineText(lines[offset]) == text)
            return false;
        lines[offset] = {.made = madeLineFrom(lines[offset], text, form, compressTabSize)};
    } else {
        m_madeLines.push_back({.bytes = compressTabs(text, compressTabSize),
                               .lineEnd = std::string(m_merge.input(MergeSide::Local).lineEnd()),
                               .text = std::string(text)});
        lines.push_back({.made = static_cast<std::int32_t>(m_madeLines.size() - 1)});
    }
    record(index, {.choice = MergeChoice::Edited, .lines = std::move(lines)});
    return true;
}

std::int32_t MergeSession::madeLineFrom(const ResultLine& line, std::string_view text, const TextForm& form,
                                        int compressTabSize)
{
    MadeLine old;
    if (line.made >= 0) {
        old = m_madeLines[static_cast<std::size_t>(line.made)];
    } else {
        old.bytes = m_merge.input(line.side).line(line.line);
        old.lineEnd = cutLineEnd(old.bytes);
        old.text = m_merge.input(line.side).text(line.line);
    }
    m_madeLines.push_back({.bytes = editedBytes(old.bytes, form, old.text, text, compressTabSize),
                           .lineEnd = old.lineEnd,
                           .text = std::string(text)});
    return static_cast<std::int32_t>(m_madeLines.size() - 1);
}

void MergeSession::record(std::int32_t index, Resolution after)
{
    m_steps.resize(m_steps.size() - m_undone);
    m_undone = 0;
    m_steps.push_back({.chunk = index,
                       .before = m_resolutions[static_cast<std::size_t>(index)],
                       .after = after,
                       .stateBefore = m_state,
                       .stateAfter = m_nextState});
    m_state = m_nextState++;
    apply(index, std::move(after));
}

std::optional<std::int32_t> MergeSession::undo()
{
    if (!canUndo())
        return std::nullopt;
    ++m_undone;
    const Step& step = m_steps[m_steps.size() - m_undone];
    apply(step.chunk, step.before);
    m_state = step.stateBefore;
    return firstRow(step.chunk);
}

std::optional<std::int32_t> MergeSession::redo()
{
    if (!canRedo())
        return std::nullopt;
    const Step& step = m_steps[m_steps.size() - m_undone];
    --m_undone;
    apply(step.chunk, step.after);
    m_state = step.stateAfter;
    return firstRow(step.chunk);
}

void MergeSession::apply(std::int32_t index, Resolution resolution)
{
    Resolution& current = m_resolutions[static_cast<std::size_t>(index)];
    m_openConflicts += (resolution.choice == MergeChoice::Open) - (current.choice == MergeChoice::Open);
    current = std::move(resolution);
    recountRows(index);
}

void MergeSession::recountRows(std::int32_t fromChunk)
{
    for (std::int32_t index = fromChunk; index < chunkCount(); ++index) {
        const auto at = static_cast<std::size_t>(index);
        m_rowStarts[at + 1] = m_rowStarts[at] + longestColumn(chunk(index), resultSize(index));
    }
}

std::string MergeSession::resultBytes(const MergeLabels& labels) const
{
    MergeResultWriter writer(m_merge, labels, ConflictStyle::Merge);
    for (std::int32_t index = 0; index < chunkCount(); ++index) {
        const MergeChoice chosen = choice(index);
        if (chosen == MergeChoice::Open || chosen == MergeChoice::Automatic) {
            writer.writeChunk(chunk(index));
            continue;
        }
        for (const ResultLine& line : resultLines(index)) {
            if (line.made < 0) {
                writer.writeLines(line.side, {line.line, line.line + 1});
            } else {
                const MadeLine& made = m_madeLines[static_cast<std::size_t>(line.made)];
                writer.writeMadeLine(made.bytes, made.lineEnd);
            }
        }
    }
    return writer.take();
}

} // namespace core
