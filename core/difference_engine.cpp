#include "core/difference_engine.h"

#include <algorithm>
#include <cassert>
#include <utility>

#include "core/anchor_lines.h"
#include "core/line_classes.h"
#include "core/line_occurrences.h"

namespace core {

namespace {

// Rows walked between two looks at the progress.
constexpr std::int32_t kRowsPerCheckpoint = 1 << 14;

struct Match {
    std::int32_t source = 0;
    std::int32_t target = 0;
};

LineState blockState(std::int32_t a, std::int32_t b)
{
    if (a == 0)
        return b == 0 ? LineState::Same : LineState::TargetOnly;
    return b == 0 ? LineState::SourceOnly : LineState::Changed;
}

// One run of the block walk over two files, each followed by an end marker that
// equals the other file's marker and nothing else (so no real line can close the walk
// early). Equality is decided by equality class; the first line of a class inside a
// window and the next line that still has a partner are looked up, not searched.
class BlockWalk {
public:
    BlockWalk(LineFile& source, LineFile& target, bool ignoreBlanks, WorkProgress* progress)
        : m_source(source), m_target(target),
          m_ns(source.count() + 1), m_nd(target.count() + 1), m_ignoreBlanks(ignoreBlanks),
          m_classes(source, target, ignoreBlanks, progress),
          m_sourceOccurrences(m_classes.sourceClasses(), m_classes.classCount()),
          m_targetOccurrences(m_classes.targetClasses(), m_classes.classCount()),
          m_sourceAnchors(m_ns), m_targetAnchors(m_nd)
    {
    }

    CompareResult run(WorkProgress* progress);

private:
    LineRecord& sourceLine(std::int32_t i) { return *m_source.lineAt(i); }
    LineRecord& targetLine(std::int32_t j) { return *m_target.lineAt(j); }
    bool isSourceMarker(std::int32_t i) const { return i == m_ns - 1; }
    bool isTargetMarker(std::int32_t j) const { return j == m_nd - 1; }
    std::int32_t sourcePartner(std::int32_t i) { return isSourceMarker(i) ? kNoPartner : sourceLine(i).partner(); }
    std::int32_t targetPartner(std::int32_t j)
    {
        return isTargetMarker(j) ? kNoPartner : targetLine(j).partner();
    }
    bool sourceKeyEmpty(std::int32_t i) { return !isSourceMarker(i) && sourceLine(i).key().empty(); }
    bool targetKeyEmpty(std::int32_t j) { return !isTargetMarker(j) && targetLine(j).key().empty(); }
    std::int32_t sourceClass(std::int32_t i) const { return m_classes.sourceClasses()[static_cast<std::size_t>(i)]; }
    std::int32_t targetClass(std::int32_t j) const
    {
        return m_classes.targetClasses()[static_cast<std::size_t>(j)];
    }

    void resetLines();
    void linkUniqueLines();
    void linkCollidingUniqueLines();
    void link(std::int32_t i, std::int32_t j);
    void dissolve(std::int32_t i, std::int32_t j);

    bool nextLinesPair();
    Match findBlockEnd(bool& later);
    bool anchorTest(std::int32_t i, std::int32_t j, Match& match);
    bool searchSourceLine(std::int32_t i, std::int32_t j, bool later, Match& match);
    bool searchTargetLine(std::int32_t i, std::int32_t j, bool later, Match& match);
    void emitBlock(Match match);
    void extendBackward(Match match, std::int32_t a, std::int32_t b);
    void setSourceState(std::int32_t i, LineState state);
    void setTargetState(std::int32_t j, LineState state);
    void notePairedLines(std::int32_t i, std::int32_t j);

    LineFile& m_source;
    LineFile& m_target;
    const std::int32_t m_ns; // lines with the marker
    const std::int32_t m_nd;
    const bool m_ignoreBlanks;
    LineClasses m_classes;
    LineOccurrences m_sourceOccurrences;
    LineOccurrences m_targetOccurrences;
    AnchorLines m_sourceAnchors;
    AnchorLines m_targetAnchors;

    CompareResult m_result;
    std::int32_t m_s = 0; // block starts
    std::int32_t m_d = 0;
};

void BlockWalk::resetLines()
{
    for (std::int32_t i = 0; i < m_ns - 1; ++i)
        sourceLine(i).setPartner(kNoPartner);
    for (std::int32_t j = 0; j < m_nd - 1; ++j)
        targetLine(j).setPartner(kNoPartner);
}

void BlockWalk::link(std::int32_t i, std::int32_t j)
{
    sourceLine(i).setPartner(j);
    targetLine(j).setPartner(i);
    m_sourceAnchors.add(i);
    m_targetAnchors.add(j);
}

void BlockWalk::dissolve(std::int32_t i, std::int32_t j)
{
    sourceLine(i).setPartner(kNoPartner);
    targetLine(j).setPartner(kNoPartner);
    m_sourceAnchors.remove(i);
    m_targetAnchors.remove(j);
}

// Anchors: lines whose hash occurs exactly once in each file, linked on the hash alone.
void BlockWalk::linkUniqueLines()
{
    for (std::int32_t lineClass = 0; lineClass < m_classes.markerClass(); ++lineClass) {
        if (m_classes.sharesHash(lineClass))
            continue;
        if (m_sourceOccurrences.occursOnce(lineClass) && m_targetOccurrences.occursOnce(lineClass))
            link(m_sourceOccurrences.firstOf(lineClass), m_targetOccurrences.firstOf(lineClass));
    }
    linkCollidingUniqueLines();
}

// Different texts with one hash: the hash, not the class, must occur once per file.
void BlockWalk::linkCollidingUniqueLines()
{
    if (!m_classes.anySharedHash())
        return;
    struct Occurrence {
        std::uint32_t hash;
        bool inSource;
        std::int32_t line;
    };
    std::vector<Occurrence> occurrences;
    for (std::int32_t i = 0; i < m_ns - 1; ++i) {
        if (m_classes.sharesHash(sourceClass(i)))
            occurrences.push_back({sourceLine(i).hash(), true, i});
    }
    for (std::int32_t j = 0; j < m_nd - 1; ++j) {
        if (m_classes.sharesHash(targetClass(j)))
            occurrences.push_back({targetLine(j).hash(), false, j});
    }
    std::stable_sort(occurrences.begin(), occurrences.end(),
                     [](const Occurrence& x, const Occurrence& y) { return x.hash < y.hash; });
    for (std::size_t first = 0; first < occurrences.size();) {
        std::size_t last = first;
        int inSource = 0;
        int inTarget = 0;
        std::int32_t sourceLineIndex = 0;
        std::int32_t targetLineIndex = 0;
        for (; last < occurrences.size() && occurrences[last].hash == occurrences[first].hash; ++last) {
            if (occurrences[last].inSource) {
                ++inSource;
                sourceLineIndex = occurrences[last].line;
            } else {
                ++inTarget;
                targetLineIndex = occurrences[last].line;
            }
        }
        if (inSource == 1 && inTarget == 1)
            link(sourceLineIndex, targetLineIndex);
        first = last;
    }
}

bool BlockWalk::anchorTest(std::int32_t i, std::int32_t j, Match& match)
{
    const std::int32_t p = sourcePartner(i);
    if (p != kNoPartner) {
        const std::int32_t candidate =
            targetPartner(j) != kNoPartner ? j : m_targetAnchors.firstFrom(j + 1);
        if (candidate == p) {
            match = {i, candidate};
            return true;
        }
        // An anchor out of order stops being one.
        dissolve(i, p);
        return false;
    }
    const std::int32_t q = targetPartner(j);
    if (q != kNoPartner) {
        if (m_sourceAnchors.firstFrom(i + 1) == q) {
            match = {q, j};
            return true;
        }
        dissolve(q, j);
    }
    return false;
}

// Source line i against destination lines d .. j; a blank line only closes a block
// in its first pass.
bool BlockWalk::searchSourceLine(std::int32_t i, std::int32_t j, bool later, Match& match)
{
    if (later && sourceKeyEmpty(i) && i + 1 < m_ns)
        return false;
    const std::int32_t k = m_targetOccurrences.firstFrom(sourceClass(i), m_d);
    if (k > j)
        return false;
    match = {i, k};
    return true;
}

// Destination line j against source lines s .. i - 1.
bool BlockWalk::searchTargetLine(std::int32_t i, std::int32_t j, bool later, Match& match)
{
    if (later && targetKeyEmpty(j) && j + 1 < m_nd)
        return false;
    const std::int32_t k = m_sourceOccurrences.firstFrom(targetClass(j), m_s);
    if (k >= i)
        return false;
    match = {k, j};
    return true;
}

// The first pass of the square search, for the common case it settles at once: the
// next two lines are equal and neither is an anchor, or they are anchored together.
bool BlockWalk::nextLinesPair()
{
    const std::int32_t p = sourcePartner(m_s);
    if (p != kNoPartner)
        return p == m_d;
    return targetPartner(m_d) == kNoPartner && sourceClass(m_s) == targetClass(m_d);
}

// The square search: each pass tries one more source line against the window of
// destination lines and one more destination line against the source window.
Match BlockWalk::findBlockEnd(bool& later)
{
    std::int32_t i = m_s;
    std::int32_t j = m_d;
    later = false;
    Match match;
    for (;;) {
        if (anchorTest(i, j, match) || searchSourceLine(i, j, later, match)
            || searchTargetLine(i, j, later, match))
            return match;
        if (j < m_nd - 1)
            ++j;
        if (i < m_ns - 1)
            ++i;
        later = true;
    }
}

void BlockWalk::setSourceState(std::int32_t i, LineState state)
{
    if (!isSourceMarker(i))
        sourceLine(i).setState(state);
}

void BlockWalk::setTargetState(std::int32_t j, LineState state)
{
    if (!isTargetMarker(j))
        targetLine(j).setState(state);
}

// The lines of a block stand at its top, the filler rows of the shorter side directly
// above the match row.
void BlockWalk::emitBlock(Match match)
{
    const std::int32_t a = match.source - m_s;
    const std::int32_t b = match.target - m_d;
    const std::int32_t m = std::max(a, b);
    const LineState state = blockState(a, b);
    RowMap& sourceRows = m_result.sourceRows;
    RowMap& destinationRows = m_result.destinationRows;
    for (std::int32_t r = 0; r < m; ++r) {
        if (r < a) {
            sourceRows.push_back(m_s + r);
            setSourceState(m_s + r, state);
        } else {
            sourceRows.push_back(-1 - match.source);
        }
        if (r < b) {
            destinationRows.push_back(m_d + r);
            setTargetState(m_d + r, state);
        } else {
            destinationRows.push_back(-1 - match.target);
        }
    }
    m_result.rowCount += m;
}

// After an anchor found in a later pass, equal lines directly above it are paired
// with each other again and move to the bottom of the block.
void BlockWalk::extendBackward(Match match, std::int32_t a, std::int32_t b)
{
    RowMap& sourceRows = m_result.sourceRows;
    RowMap& destinationRows = m_result.destinationRows;
    const std::int32_t rows = m_result.rowCount; // the match row
    std::int32_t n = 0;
    for (std::int32_t k = 1;; ++k) {
        const std::int32_t x = match.source - k;
        const std::int32_t y = match.target - k;
        if (x < 0 || y < 0)
            break;
        if (sourceLine(x).state() == LineState::Same || targetLine(y).state() == LineState::Same)
            break;
        if (sourceClass(x) != targetClass(y))
            break;
        sourceLine(x).setState(LineState::Same);
        targetLine(y).setState(LineState::Same);
        notePairedLines(x, y);
        if (a > b)
            destinationRows[static_cast<std::size_t>(rows - (a - b) - k)] = -1 - match.target;
        if (a < b)
            sourceRows[static_cast<std::size_t>(rows - (b - a) - k)] = -1 - match.source;
        destinationRows[static_cast<std::size_t>(rows - k)] = y;
        sourceRows[static_cast<std::size_t>(rows - k)] = x;
        ++n;
    }
    if (n > 0 && n == a) {
        for (std::int32_t y = m_d; y < m_d + (b - n); ++y)
            targetLine(y).setState(LineState::TargetOnly);
    } else if (n > 0 && n == b) {
        for (std::int32_t x = m_s; x < m_s + (a - n); ++x)
            sourceLine(x).setState(LineState::SourceOnly);
    }
}

// A row of two Same lines stays one to the end of the walk, so the blank-difference
// flag is settled as such rows are made.
void BlockWalk::notePairedLines(std::int32_t i, std::int32_t j)
{
    if (m_result.blankDifference)
        return;
    // Lines of one class have equal texts unless the classes go by keys.
    if (sourceClass(i) != targetClass(j) || (m_ignoreBlanks && sourceLine(i).text() != targetLine(j).text()))
        m_result.blankDifference = true;
}

CompareResult BlockWalk::run(WorkProgress* progress)
{
    resetLines();
    linkUniqueLines();
    std::int32_t nextCheckpoint = 0;
    // Every line fills at most one row, markers included: the maps never move while
    // they grow, and the room beyond the rows used is never touched.
    const auto rowRoom = static_cast<std::size_t>(m_ns) + static_cast<std::size_t>(m_nd);
    m_result.sourceRows.reserve(rowRoom);
    m_result.destinationRows.reserve(rowRoom);

    while (m_d < m_nd) {
        if (progress != nullptr && m_result.rowCount >= nextCheckpoint) {
            // The classing counted every line of both files before.
            progress->reach(static_cast<std::uint64_t>(m_ns - 1) + static_cast<std::uint64_t>(m_nd - 1 + m_d));
            progress->checkpoint();
            nextCheckpoint = m_result.rowCount + kRowsPerCheckpoint;
        }
        bool later = false;
        const Match match = nextLinesPair() ? Match{m_s, m_d} : findBlockEnd(later);
        const std::int32_t a = match.source - m_s;
        const std::int32_t b = match.target - m_d;
        emitBlock(match);
        m_result.sourceRows.push_back(match.source);
        m_result.destinationRows.push_back(match.target);
        setSourceState(match.source, LineState::Same);
        setTargetState(match.target, LineState::Same);
        if (!isSourceMarker(match.source)) {
            notePairedLines(match.source, match.target);
            if (later && sourceLine(match.source).hasPartner())
                extendBackward(match, a, b);
        }
        ++m_result.rowCount;
        m_s = match.source + 1;
        m_d = match.target + 1;
    }

    // The last row pairs the two end markers.
    assert(m_s == m_ns && m_result.rowCount > 0);
    --m_result.rowCount;
    m_result.sourceRows.pop_back();
    m_result.destinationRows.pop_back();
    return std::move(m_result);
}

} // namespace

CompareResult compareFiles(LineFile& source, LineFile& target, const TextOptions& options,
                           WorkProgress* progress)
{
    if (progress != nullptr)
        progress->startPhase(WorkProgress::Phase::Comparing, {},
                             static_cast<std::uint64_t>(source.count()) + 2 * static_cast<std::uint64_t>(target.count()) + 1);
    BlockWalk walk(source, target, options.ignoreBlanks, progress);
    if (progress != nullptr)
        progress->checkpoint();
    return walk.run(progress);
}

} // namespace core
