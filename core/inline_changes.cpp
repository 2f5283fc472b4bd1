#include "core/inline_changes.h"

#include <algorithm>
#include <optional>

#include "core/line_file.h"
#include "core/utf8_text.h"

namespace core {

namespace {

// Where the two lines have less than this share of their characters in common (counted
// without blanks, against the shorter line) they are shown as wholly changed.
constexpr std::size_t kLittleInCommonDivisor = 4;

struct Side {
    std::string_view text;
    const std::vector<LineUnit>& units;
    const std::vector<bool>& matched;
};

// Round d of the alignment keeps d + 1 diagonals, -d, -d + 2, ..., d, one after the other.
std::size_t roundStart(int d)
{
    return static_cast<std::size_t>(d) * static_cast<std::size_t>(d + 1) / 2;
}

std::size_t nonBlankCharacters(const Side& side, bool matchedOnly)
{
    std::size_t count = 0;
    for (std::size_t u = 0; u < side.units.size(); ++u) {
        if (!side.units[u].blank && (!matchedOnly || side.matched[u]))
            count += side.units[u].length;
    }
    return count;
}

TextStretch wholeLine(const std::vector<LineUnit>& units)
{
    if (units.empty())
        return {};
    return {units.front().start, units.back().end()};
}

// Moves a cut back to the start of a character in both texts.
std::size_t onCharacterStart(std::string_view a, std::string_view b, std::size_t cut)
{
    while (cut > 0 && ((cut < a.size() && isUtf8Continuation(a[cut])) || (cut < b.size() && isUtf8Continuation(b[cut]))))
        --cut;
    return cut;
}

// Narrows two facing stretches by the characters they share at both ends.
void trim(std::string_view a, TextStretch& x, std::string_view b, TextStretch& y)
{
    const std::string_view sa = a.substr(x.start, x.end - x.start);
    const std::string_view sb = b.substr(y.start, y.end - y.start);
    const std::size_t shorter = std::min(sa.size(), sb.size());
    std::size_t prefix = 0;
    while (prefix < shorter && sa[prefix] == sb[prefix])
        ++prefix;
    prefix = onCharacterStart(sa, sb, prefix);
    std::size_t suffix = 0;
    while (suffix < shorter - prefix && sa[sa.size() - 1 - suffix] == sb[sb.size() - 1 - suffix])
        ++suffix;
    while (suffix > 0 && (isUtf8Continuation(sa[sa.size() - suffix]) || isUtf8Continuation(sb[sb.size() - suffix])))
        --suffix;
    x = {x.start + static_cast<std::uint32_t>(prefix), x.end - static_cast<std::uint32_t>(suffix)};
    y = {y.start + static_cast<std::uint32_t>(prefix), y.end - static_cast<std::uint32_t>(suffix)};
}

// The stretch of units [first, last) of a side, or none when the run is empty.
std::optional<TextStretch> runStretch(const Side& side, std::size_t first, std::size_t last)
{
    if (first == last)
        return std::nullopt;
    return TextStretch{side.units[first].start, side.units[last - 1].end()};
}

void addStretch(std::vector<TextStretch>& stretches, const std::optional<TextStretch>& stretch)
{
    if (stretch && stretch->start < stretch->end)
        stretches.push_back(*stretch);
}

// Between matched units, each pair of unmatched runs faces each other.
InlineChanges stretchesOf(const Side& a, const Side& b)
{
    InlineChanges changes;
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.units.size() || j < b.units.size()) {
        const std::size_t firstA = i;
        const std::size_t firstB = j;
        while (i < a.units.size() && !a.matched[i])
            ++i;
        while (j < b.units.size() && !b.matched[j])
            ++j;
        std::optional<TextStretch> x = runStretch(a, firstA, i);
        std::optional<TextStretch> y = runStretch(b, firstB, j);
        if (x && y)
            trim(a.text, *x, b.text, *y);
        addStretch(changes.source, x);
        addStretch(changes.target, y);
        // Step over the matched pair that ends this gap.
        if (i < a.units.size() && j < b.units.size()) {
            ++i;
            ++j;
        }
    }
    return changes;
}

// Gives a vector room for count elements, written once so that its pages are in place.
template <typename T>
void makeRoom(std::vector<T>& vector, std::size_t count)
{
    vector.resize(count);
    vector.clear();
}

} // namespace

InlineChangeFinder::InlineChangeFinder()
{
    constexpr std::size_t kUnits = LineFile::kPieceSize;
    makeRoom(m_sourceUnits, kUnits);
    makeRoom(m_targetUnits, kUnits);
    makeRoom(m_furthest, 4 * kUnits + 3);
    makeRoom(m_rounds, static_cast<std::size_t>(kInlineWorkBound) + 2 * kUnits);
    makeRoom(m_sourceMatched, kUnits);
    makeRoom(m_targetMatched, kUnits);
}

InlineChanges InlineChangeFinder::find(std::string_view source, std::string_view target, bool ignoreBlanks)
{
    m_source = source;
    m_target = target;
    splitUnits(source, ignoreBlanks, m_sourceUnits);
    splitUnits(target, ignoreBlanks, m_targetUnits);
    if (!align()) {
        InlineChanges whole;
        addStretch(whole.source, wholeLine(m_sourceUnits));
        addStretch(whole.target, wholeLine(m_targetUnits));
        return whole;
    }
    const Side a{source, m_sourceUnits, m_sourceMatched};
    const Side b{target, m_targetUnits, m_targetMatched};
    const std::size_t common = nonBlankCharacters(a, true);
    const std::size_t shorter = std::min(nonBlankCharacters(a, false), nonBlankCharacters(b, false));
    if (common * kLittleInCommonDivisor < shorter)
        return {};
    return stretchesOf(a, b);
}

// Myers' greedy alignment, stopped when its work passes the bound: every diagonal visited
// and every unit stepped over along one counts.
bool InlineChangeFinder::align()
{
    const int n = static_cast<int>(m_sourceUnits.size());
    const int m = static_cast<int>(m_targetUnits.size());
    m_sourceMatched.assign(static_cast<std::size_t>(n), false);
    m_targetMatched.assign(static_cast<std::size_t>(m), false);
    const int offset = n + m + 1;
    m_furthest.assign(static_cast<std::size_t>(2 * offset + 1), 0);
    m_rounds.clear();
    std::int64_t work = 0;
    for (int d = 0; d <= n + m; ++d) {
        for (int k = -d; k <= d; k += 2) {
            const int below = m_furthest[static_cast<std::size_t>(offset + k - 1)];
            const int above = m_furthest[static_cast<std::size_t>(offset + k + 1)];
            const int start = (k == -d || (k != d && below < above)) ? above : below + 1;
            int x = start;
            int y = x - k;
            while (x < n && y < m && same(x, y)) {
                ++x;
                ++y;
            }
            work += 1 + (x - start);
            m_furthest[static_cast<std::size_t>(offset + k)] = x;
            m_rounds.push_back(x);
            if (x >= n && y >= m) {
                traceBack(d);
                return true;
            }
        }
        if (work > kInlineWorkBound)
            return false;
    }
    return false;
}

// Walks back from the end through the rounds, matching the units of every diagonal run.
void InlineChangeFinder::traceBack(int depth)
{
    const auto match = [this](int x, int y) {
        m_sourceMatched[static_cast<std::size_t>(x)] = true;
        m_targetMatched[static_cast<std::size_t>(y)] = true;
    };
    int x = static_cast<int>(m_sourceUnits.size());
    int y = static_cast<int>(m_targetUnits.size());
    for (int d = depth; d > 0; --d) {
        const std::size_t previous = roundStart(d - 1);
        const auto at = [this, previous, d](int k) {
            return m_rounds[previous + static_cast<std::size_t>((k + d - 1) / 2)];
        };
        const int k = x - y;
        const bool fromAbove = k == -d || (k != d && at(k - 1) < at(k + 1));
        const int previousK = fromAbove ? k + 1 : k - 1;
        const int previousX = at(previousK);
        const int start = fromAbove ? previousX : previousX + 1;
        while (x > start) {
            --x;
            --y;
            match(x, y);
        }
        x = previousX;
        y = previousX - previousK;
    }
    while (x > 0 && y > 0) {
        --x;
        --y;
        match(x, y);
    }
}

InlineChanges findInlineChanges(std::string_view source, std::string_view target, bool ignoreBlanks)
{
    return InlineChangeFinder().find(source, target, ignoreBlanks);
}

} // namespace core
