#include "core/html_report.h"

#include <chrono>
#include <ctime>
#include <filesystem>
#include <ostream>

#include "core/utf8_text.h"
#include "settings/color_table.h"

namespace core {

namespace {

// The page goes out in pieces of about this size, so a large pair never builds it whole.
constexpr std::size_t kFlushSize = 1 << 20;

constexpr std::string_view kStyle =
    "body{font-family:sans-serif;margin:1em;color:#000;background:#fff}"
    "h1{font-size:1.3em;margin:0 0 .4em}"
    "table.files td,table.files th{padding:0 .8em 0 0;text-align:left}"
    "p.summary{font-weight:bold}"
    "table.legend{border-collapse:collapse;margin:.5em 0 1em}"
    "table.legend td{padding:.1em .8em;border:1px solid #888}"
    "table.rows{border-collapse:collapse;width:100%;table-layout:fixed;"
    "font-family:monospace;font-size:13px}"
    "table.rows td{padding:0 .3em;vertical-align:top;white-space:pre-wrap;overflow-wrap:anywhere}"
    "col.n{width:4.5em}"
    "table.rows td.n{text-align:right;color:#666;border-right:1px solid #aaa}"
    "del,ins{text-decoration:none}";

std::string cssColor(framework::ColorRef color)
{
    constexpr std::string_view kDigits = "0123456789abcdef";
    std::string css = "#";
    for (const int shift : {0, 8, 16}) {
        const unsigned channel = (color >> shift) & 0xFFu;
        css += kDigits[channel >> 4];
        css += kDigits[channel & 0xF];
    }
    return css;
}

void appendRule(std::string& page, std::string_view selector, framework::ColorRef background,
                framework::ColorRef text)
{
    page.append(selector);
    page += '{';
    if (background != settings::kNoColor)
        page.append("background:").append(cssColor(background)).append(";");
    if (text != settings::kNoColor)
        page.append("color:").append(cssColor(text)).append(";");
    page += '}';
}

std::string localTimeText(const std::string& path)
{
    std::error_code error;
    const auto time = std::filesystem::last_write_time(path, error);
    if (error)
        return "unknown time";
    const std::time_t seconds =
        std::chrono::system_clock::to_time_t(std::chrono::file_clock::to_sys(time));
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

void appendSpecial(std::string& page, unsigned char byte, bool latin1)
{
    switch (byte) {
    case '<': page += "&lt;"; return;
    case '>': page += "&gt;"; return;
    case '&': page += "&amp;"; return;
    default: break;
    }
    if (byte < 0x20 || byte == 0x7F) {
        // The control pictures U+2400 to U+241F, and U+2421 for DEL.
        const unsigned picture = byte == 0x7F ? 0x21 : byte;
        page += '\xE2';
        page += static_cast<char>(0x90 + (picture >> 6));
        page += static_cast<char>(0x80 | (picture & 0x3F));
        return;
    }
    if (latin1) {
        page += static_cast<char>(0xC0 | (byte >> 6));
        page += static_cast<char>(0x80 | (byte & 0x3F));
        return;
    }
    page += static_cast<char>(byte);
}

bool isPlain(unsigned char byte, bool latin1)
{
    if (byte >= 0x80)
        return !latin1;
    return byte >= 0x20 && byte != 0x7F && byte != '<' && byte != '>' && byte != '&';
}

void appendNumber(std::string& page, std::int32_t entry)
{
    if (!isVirtualRow(entry))
        page.append(std::to_string(entry + 1));
}

// A line's text with its changed stretches inside tag.
void appendMarkedText(std::string& page, std::string_view text, const std::vector<TextStretch>& stretches,
                      std::string_view tag)
{
    const bool latin1 = !isValidUtf8(text);
    std::uint32_t at = 0;
    for (const TextStretch& stretch : stretches) {
        appendHtmlText(page, text.substr(at, stretch.start - at), latin1);
        page.append("<").append(tag).append(">");
        appendHtmlText(page, text.substr(stretch.start, stretch.end - stretch.start), latin1);
        page.append("</").append(tag).append(">");
        at = stretch.end;
    }
    appendHtmlText(page, text.substr(at), latin1);
}

void appendSide(std::string& page, const LineRecord* line, std::int32_t entry,
                const std::vector<TextStretch>& stretches, std::string_view tag)
{
    const std::string state = line == nullptr ? "f" : "s" + std::to_string(static_cast<int>(line->state()));
    page.append("<td class=\"n ").append(state).append("\">");
    appendNumber(page, entry);
    page.append("</td><td class=\"").append(state).append("\">");
    if (line != nullptr)
        appendMarkedText(page, line->text(), stretches, tag);
    page.append("</td>");
}

} // namespace

void appendHtmlText(std::string& page, std::string_view bytes, bool latin1)
{
    std::size_t runStart = 0;
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        const auto byte = static_cast<unsigned char>(bytes[at]);
        if (isPlain(byte, latin1))
            continue;
        page.append(bytes.substr(runStart, at - runStart));
        appendSpecial(page, byte, latin1);
        runStart = at + 1;
    }
    page.append(bytes.substr(runStart));
}

HtmlReport::HtmlReport(const LineFile& source, const LineFile& target, const CompareResult& result,
                       const TextOptions& options)
    : m_source(source), m_target(target), m_result(result), m_ignoreBlanks(options.ignoreBlanks)
{
}

void HtmlReport::write(std::ostream& out, std::string_view summary)
{
    std::string page;
    page.reserve(kFlushSize + kFlushSize / 4);
    writeHead(page);
    writeHeader(page, summary);
    writeLegend(page);
    writeRows(out, page);
    page.append("</table>\n</body>\n</html>\n");
    out.write(page.data(), static_cast<std::streamsize>(page.size()));
}

void HtmlReport::writeHead(std::string& page) const
{
    page.append("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>Bivalo: ");
    appendHtmlText(page, m_source.path(), !isValidUtf8(m_source.path()));
    page.append(" / ");
    appendHtmlText(page, m_target.path(), !isValidUtf8(m_target.path()));
    page.append("</title>\n<style>\n").append(kStyle).append("\n");
    const settings::CColorTable& colors = settings::colorTable();
    for (int state = 0; state < settings::CColorTable::kStates; ++state) {
        const std::string name = ".s" + std::to_string(state);
        const framework::ColorRef background = colors.backgroundFor(state, 0);
        const framework::ColorRef text = colors.textFor(state, 0);
        appendRule(page, name, background, text);
        appendRule(page, name + " del," + name + " ins", settings::strongerShade(background, text), settings::kNoColor);
        page += '\n';
    }
    appendRule(page, ".f", colors.backgroundFor(static_cast<int>(LineState::SourceOnly), 0), settings::kNoColor);
    page.append("\n</style>\n</head>\n<body>\n");
}

void HtmlReport::writeHeader(std::string& page, std::string_view summary) const
{
    page.append("<h1>Bivalo comparison</h1>\n<table class=\"files\">\n");
    const auto file = [&page](std::string_view side, const LineFile& lines) {
        page.append("<tr><th>").append(side).append("</th><td class=\"path\">");
        appendHtmlText(page, lines.path(), !isValidUtf8(lines.path()));
        page.append("</td><td class=\"time\">").append(localTimeText(lines.path())).append("</td></tr>\n");
    };
    file("Source", m_source);
    file("Target", m_target);
    page.append("</table>\n<p class=\"summary\">");
    bool first = true;
    for (std::size_t at = 0; at < summary.size();) {
        const std::size_t end = std::min(summary.find('\n', at), summary.size());
        if (!first)
            page.append("<br>");
        appendHtmlText(page, summary.substr(at, end - at), false);
        first = false;
        at = end + 1;
    }
    page.append("</p>\n");
}

void HtmlReport::writeLegend(std::string& page) const
{
    page.append("<table class=\"legend\"><tr>"
                "<td class=\"s0\">Same</td>"
                "<td class=\"s1\">Source only</td>"
                "<td class=\"s2\">Target only</td>"
                "<td class=\"s3\">Changed</td>"
                "<td class=\"f\">Filler row</td>"
                "<td class=\"s3\">Changed <del>text</del> within a line</td>"
                "</tr></table>\n");
}

void HtmlReport::writeRows(std::ostream& out, std::string& page)
{
    page.append("<table class=\"rows\">\n<colgroup><col class=\"n\"><col><col class=\"n\"><col></colgroup>\n");
    for (std::int32_t row = 0; row < m_result.rowCount; ++row) {
        writeRow(page, row);
        if (page.size() >= kFlushSize) {
            out.write(page.data(), static_cast<std::streamsize>(page.size()));
            page.clear();
        }
    }
}

void HtmlReport::writeRow(std::string& page, std::int32_t row)
{
    const std::int32_t i = m_result.sourceRows[static_cast<std::size_t>(row)];
    const std::int32_t j = m_result.destinationRows[static_cast<std::size_t>(row)];
    const LineRecord* left = m_source.lineAt(i);
    const LineRecord* right = m_target.lineAt(j);
    InlineChanges changes;
    if (left != nullptr && right != nullptr && left->text() != right->text())
        changes = m_finder.find(left->text(), right->text(), m_ignoreBlanks);
    page.append("<tr>");
    appendSide(page, left, i, changes.source, "del");
    appendSide(page, right, j, changes.target, "ins");
    page.append("</tr>\n");
}

} // namespace core
