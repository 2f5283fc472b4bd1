#include "tests/core/reference_walk.h"

#include <algorithm>
#include <unordered_map>

namespace testing_support {

namespace {

using core::LineRecord;
using core::LineState;

constexpr int kNull = -2;

struct Side {
    std::vector<const LineRecord*> lines;
    std::vector<int> partner;
    std::vector<LineState> state;
    core::RowMap rows;

    int count() const { return static_cast<int>(lines.size()); }
};

class Walk {
public:
    Walk(const core::LineFile& source, const core::LineFile& target, const core::TextOptions& options)
        : m_ignoreBlanks(options.ignoreBlanks)
    {
        m_marker.appendLine("BIVALO_ENDFFILE_", options);
        fill(m_s, source);
        fill(m_d, target);
    }

    ReferenceResult run()
    {
        uniqueLinePass();
        m_s.lines.push_back(m_marker.lineAt(0));
        m_d.lines.push_back(m_marker.lineAt(0));
        m_s.partner.push_back(-1);
        m_d.partner.push_back(-1);
        m_s.state.push_back(LineState::Same);
        m_d.state.push_back(LineState::Same);
        walk();
        return result();
    }

private:
    static void fill(Side& side, const core::LineFile& file)
    {
        for (int i = 0; i < file.count(); ++i)
            side.lines.push_back(file.lineAt(i));
        side.partner.assign(side.lines.size(), -1);
        side.state.assign(side.lines.size(), LineState::Same);
    }

    void uniqueLinePass()
    {
        std::unordered_map<std::uint32_t, int> map;
        for (int i = 0; i < m_s.count(); ++i) {
            auto [at, inserted] = map.try_emplace(m_s.lines[i]->hash(), i);
            if (!inserted && at->second != kNull)
                at->second = kNull;
        }
        std::erase_if(map, [](const auto& entry) { return entry.second == kNull; });
        for (int j = 0; j < m_d.count(); ++j) {
            auto found = map.find(m_d.lines[j]->hash());
            if (found == map.end())
                continue;
            const int p = found->second;
            if (m_s.partner[p] < 0) {
                m_s.partner[p] = j;
                m_d.partner[j] = p;
            } else {
                m_d.partner[m_s.partner[p]] = -1;
                m_s.partner[p] = -1;
                map.erase(found);
            }
        }
    }

    void dissolveSource(int i)
    {
        m_d.partner[m_s.partner[i]] = -1;
        m_s.partner[i] = -1;
    }

    void dissolveTarget(int j)
    {
        m_s.partner[m_d.partner[j]] = -1;
        m_d.partner[j] = -1;
    }

    bool equal(const LineRecord* x, const LineRecord* y) { return core::isEqual(*x, y, m_ignoreBlanks, &m_flag); }

    void walk()
    {
        const int ns = m_s.count();
        const int nd = m_d.count();
        m_flag = false;
        int capacity = std::max(ns, nd) + 100;
        m_s.rows.assign(capacity, 0);
        m_d.rows.assign(capacity, 0);
        int R = 0;
        int s = 0;
        int d = 0;
        while (d < nd) {
            int i = s;
            int j = d;
            bool later = false;
            int I = -1;
            int J = -1;
            for (;;) {
                // a. anchor test
                bool viaAnchor = false;
                if (m_s.partner[i] >= 0) {
                    int candidate = -1;
                    if (m_d.partner[j] >= 0) {
                        candidate = j;
                    } else {
                        for (int k = j + 1; k < nd; ++k) {
                            if (m_d.partner[k] >= 0) {
                                candidate = k;
                                break;
                            }
                        }
                    }
                    if (candidate >= 0 && candidate == m_s.partner[i]) {
                        I = i;
                        J = candidate;
                        viaAnchor = true;
                    } else {
                        dissolveSource(i);
                    }
                } else if (m_d.partner[j] >= 0) {
                    int candidate = -1;
                    for (int k = i + 1; k < ns; ++k) {
                        if (m_s.partner[k] >= 0) {
                            candidate = k;
                            break;
                        }
                    }
                    if (candidate >= 0 && candidate == m_d.partner[j]) {
                        I = candidate;
                        J = j;
                        viaAnchor = true;
                    } else {
                        dissolveTarget(j);
                    }
                }
                if (viaAnchor)
                    break;
                // b. source line i against destination d .. j
                bool found = false;
                for (int k = d; k <= j && !found; ++k) {
                    if (equal(m_s.lines[i], m_d.lines[k])) {
                        const bool refused = later && m_s.lines[i]->key().empty() && i + 1 < ns;
                        if (!refused) {
                            I = i;
                            J = k;
                            found = true;
                        }
                    }
                }
                // c. destination line j against source s .. i - 1
                for (int k = s; k < i && !found; ++k) {
                    if (equal(m_d.lines[j], m_s.lines[k])) {
                        const bool refused = later && m_d.lines[j]->key().empty() && j + 1 < nd;
                        if (!refused) {
                            I = k;
                            J = j;
                            found = true;
                        }
                    }
                }
                if (found)
                    break;
                if (j < nd - 1)
                    ++j;
                if (i < ns - 1)
                    ++i;
                later = true;
            }
            // 3. emit
            const int a = I - s;
            const int b = J - d;
            const int m = std::max(a, b);
            if (capacity <= R + m) {
                capacity += 100;
                if (capacity <= R + m)
                    capacity += m;
                m_s.rows.resize(capacity);
                m_d.rows.resize(capacity);
            }
            LineState st = LineState::Changed;
            if (a == 0 && b == 0)
                st = LineState::Same;
            else if (b == 0)
                st = LineState::SourceOnly;
            else if (a == 0)
                st = LineState::TargetOnly;
            for (int r = 0; r < a; ++r) {
                m_s.rows[R + r] = s + r;
                m_s.state[s + r] = st;
            }
            for (int r = a; r < m; ++r)
                m_s.rows[R + r] = -1 - I;
            m_s.rows[R + m] = I;
            m_s.state[I] = LineState::Same;
            for (int r = 0; r < b; ++r) {
                m_d.rows[R + r] = d + r;
                m_d.state[d + r] = st;
            }
            for (int r = b; r < m; ++r)
                m_d.rows[R + r] = -1 - J;
            m_d.rows[R + m] = J;
            m_d.state[J] = LineState::Same;
            R += m;
            // 4. backward extension
            if (m_s.partner[I] >= 0 && later) {
                int n = 0;
                for (int k = 1;; ++k) {
                    const int x = I - k;
                    const int y = J - k;
                    if (x < 0 || y < 0)
                        break;
                    if (m_s.state[x] == LineState::Same || m_d.state[y] == LineState::Same)
                        break;
                    if (!equal(m_s.lines[x], m_d.lines[y]))
                        break;
                    m_s.state[x] = LineState::Same;
                    m_d.state[y] = LineState::Same;
                    if (a > b)
                        m_d.rows[R - (a - b) - k] = -1 - J;
                    if (a < b)
                        m_s.rows[R - (b - a) - k] = -1 - I;
                    m_d.rows[R - k] = J - k;
                    m_s.rows[R - k] = I - k;
                    ++n;
                }
                if (n > 0 && n == a) {
                    for (int y = d; y < d + (b - n); ++y)
                        m_d.state[y] = LineState::TargetOnly;
                } else if (n > 0 && n == b) {
                    for (int x = s; x < s + (a - n); ++x)
                        m_s.state[x] = LineState::SourceOnly;
                }
            }
            // 5.
            R += 1;
            s = I + 1;
            d = J + 1;
        }
        m_rowCount = R - 1;
    }

    ReferenceResult result()
    {
        ReferenceResult r;
        r.rowCount = m_rowCount;
        r.sourceRows.assign(m_s.rows.begin(), m_s.rows.begin() + m_rowCount);
        r.destinationRows.assign(m_d.rows.begin(), m_d.rows.begin() + m_rowCount);
        r.sourceStates.assign(m_s.state.begin(), m_s.state.end() - 1);
        r.targetStates.assign(m_d.state.begin(), m_d.state.end() - 1);
        r.sourcePartners.assign(m_s.partner.begin(), m_s.partner.end() - 1);
        r.targetPartners.assign(m_d.partner.begin(), m_d.partner.end() - 1);
        r.flagByIsEqual = m_flag;
        for (int row = 0; row < m_rowCount; ++row) {
            const int i = r.sourceRows[row];
            const int j = r.destinationRows[row];
            if (i >= 0 && j >= 0 && m_s.state[i] == LineState::Same && m_d.state[j] == LineState::Same
                && m_s.lines[i]->text() != m_d.lines[j]->text())
                r.blankDifference = true;
        }
        return r;
    }

    bool m_ignoreBlanks;
    core::LineFile m_marker;
    Side m_s;
    Side m_d;
    bool m_flag = false;
    int m_rowCount = 0;
};

} // namespace

ReferenceResult referenceCompare(const core::LineFile& source, const core::LineFile& target,
                                 const core::TextOptions& options)
{
    Walk walk(source, target, options);
    return walk.run();
}

} // namespace testing_support
