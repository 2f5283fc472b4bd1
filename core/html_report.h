#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

#include "core/difference_engine.h"
#include "core/inline_changes.h"
#include "core/text_options.h"

namespace core {

// The report for people: one self-contained HTML page (inline CSS, nothing loaded from
// anywhere) with both files side by side as the panes show them, the changes inside
// changed lines marked as <del> on the source side and <ins> on the target side, a
// header with the paths, their times and the summary, and a legend of the colours.
class HtmlReport {
public:
    HtmlReport(const LineFile& source, const LineFile& target, const CompareResult& result,
               const TextOptions& options);

    // summary: the lines of the summary report, each ending in a line feed.
    void write(std::ostream& out, std::string_view summary);

private:
    void writeHead(std::string& page) const;
    void writeHeader(std::string& page, std::string_view summary) const;
    void writeLegend(std::string& page) const;
    void writeRows(std::ostream& out, std::string& page);
    void writeRow(std::string& page, std::int32_t row);

    const LineFile& m_source;
    const LineFile& m_target;
    const CompareResult& m_result;
    bool m_ignoreBlanks = false;
    InlineChangeFinder m_finder;
};

// Bytes as HTML text: escaped, UTF-8 kept when the whole text is valid UTF-8, else each
// byte as its Latin-1 character; control characters as their visible pictures.
void appendHtmlText(std::string& page, std::string_view bytes, bool latin1);

} // namespace core
