#include "core/html_report.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <cctype>
#include <sstream>

#include "core/report.h"
#include "framework/profile.h"
#include "tests/support/temp_dir.h"

namespace {

// One side of a row read back from the page.
struct PageCell {
    std::string state;     // "s0" .. "s4", or "f" for a filler row
    std::string number;
    std::string markup;    // the text cell's inner HTML
    std::string text;      // with the marks dropped and the entities resolved
};

struct PageRow {
    PageCell source;
    PageCell target;
};

void replaceAll(std::string& text, std::string_view from, std::string_view to)
{
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

std::string unescape(std::string markup)
{
    for (const char* tag : {"<del>", "</del>", "<ins>", "</ins>"})
        replaceAll(markup, tag, "");
    replaceAll(markup, "&lt;", "<");
    replaceAll(markup, "&gt;", ">");
    replaceAll(markup, "&amp;", "&");
    return markup;
}

// The text from `at` up to close, after which `at` then stands; empty when close is missing.
std::string upTo(const std::string& page, std::size_t& at, std::string_view close)
{
    const std::size_t end = page.find(close, at);
    if (end == std::string::npos) {
        ADD_FAILURE() << "missing " << close;
        at = page.size();
        return {};
    }
    std::string text = page.substr(at, end - at);
    at = end + close.size();
    return text;
}

bool skip(const std::string& page, std::size_t& at, std::string_view expected)
{
    if (page.compare(at, expected.size(), expected) != 0)
        return false;
    at += expected.size();
    return true;
}

// <td class="n STATE">NUMBER</td><td class="STATE">TEXT</td>
PageCell cellAt(const std::string& page, std::size_t& at)
{
    PageCell cell;
    EXPECT_TRUE(skip(page, at, "<td class=\"n "));
    cell.state = upTo(page, at, "\">");
    cell.number = upTo(page, at, "</td>");
    EXPECT_TRUE(skip(page, at, "<td class=\""));
    EXPECT_EQ(upTo(page, at, "\">"), cell.state);
    cell.markup = upTo(page, at, "</td>");
    cell.text = unescape(cell.markup);
    return cell;
}

std::vector<PageRow> rowsOf(const std::string& page)
{
    std::size_t at = page.find("<table class=\"rows\">");
    EXPECT_NE(at, std::string::npos);
    const std::size_t end = page.find("</table>", at);
    std::vector<PageRow> rows;
    while (at != std::string::npos && (at = page.find("<tr>", at)) < end) {
        at += 4;
        PageRow row;
        row.source = cellAt(page, at);
        row.target = cellAt(page, at);
        EXPECT_TRUE(skip(page, at, "</tr>"));
        rows.push_back(row);
    }
    return rows;
}

// A time in the header: YYYY-MM-DD HH:MM:SS.
bool showsATime(const std::string& page)
{
    std::size_t at = page.find("<td class=\"time\">");
    if (at == std::string::npos)
        return false;
    at += std::string_view("<td class=\"time\">").size();
    const std::string time = upTo(page, at, "</td>");
    constexpr std::string_view kShape = "dddd-dd-dd dd:dd:dd";
    if (time.size() != kShape.size())
        return false;
    for (std::size_t k = 0; k < time.size(); ++k) {
        if (kShape[k] == 'd' ? !std::isdigit(static_cast<unsigned char>(time[k])) : time[k] != kShape[k])
            return false;
    }
    return true;
}

class HtmlReportTest : public ::testing::Test {
protected:
    ~HtmlReportTest() override { std::filesystem::remove(framework::settingsFilePath()); }

    int report(std::string_view source, std::string_view target)
    {
        std::ostringstream out;
        std::ostringstream err;
        m_sourcePath = m_dir.write("source.txt", source);
        m_targetPath = m_dir.write("target.txt", target);
        const int status = core::reportMain({"--report", "--format=html", m_sourcePath, m_targetPath}, out, err);
        m_page = out.str();
        EXPECT_EQ(err.str(), "");
        return status;
    }

    testing_support::TempDir m_dir;
    std::string m_sourcePath;
    std::string m_targetPath;
    std::string m_page;
};

TEST_F(HtmlReportTest, EveryRowIsOnThePageWithNumbersStatesAndFillers)
{
    EXPECT_EQ(report("one\ntwo\nthree\nfour\n", "one\nTWO\nthree\nnew\nfour\n"), core::kReportDifferent);
    const std::vector<PageRow> rows = rowsOf(m_page);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0].source.text, "one");
    EXPECT_EQ(rows[0].source.state, "s0");
    EXPECT_EQ(rows[1].source.state, "s3");
    EXPECT_EQ(rows[1].target.text, "TWO");
    EXPECT_EQ(rows[3].source.state, "f");
    EXPECT_EQ(rows[3].source.number, "");
    EXPECT_EQ(rows[3].source.text, "");
    EXPECT_EQ(rows[3].target.state, "s2");
    EXPECT_EQ(rows[3].target.number, "4");
    EXPECT_EQ(rows[4].source.number, "4");
    EXPECT_EQ(rows[4].target.number, "5");
}

TEST_F(HtmlReportTest, ChangesWithinALineAreDelOnTheSourceAndInsOnTheTarget)
{
    report("call(a, b, total);\n", "call(a. b, totals);\n");
    const std::vector<PageRow> rows = rowsOf(m_page);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].source.markup, "call(a<del>,</del> b, total);");
    EXPECT_EQ(rows[0].target.markup, "call(a<ins>.</ins> b, total<ins>s</ins>);");
}

TEST_F(HtmlReportTest, TextIsEscapedSoThatMarkupInALineShowsAsText)
{
    const std::string line = "</td><script>alert(1)</script> & \"q\"";
    report(line + "\n", line + " x\n");
    const std::vector<PageRow> rows = rowsOf(m_page);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].source.text, line);
    EXPECT_EQ(rows[0].target.text, line + " x");
    EXPECT_EQ(m_page.find("<script"), std::string::npos);
}

TEST_F(HtmlReportTest, BytesThatAreNotUtf8ShowAsLatin1AndControlsAsPictures)
{
    report("caf\xE9 au lait\n", "caf\xC3\xA9 au lait\x01\n");
    const std::vector<PageRow> rows = rowsOf(m_page);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].source.text, "caf\xC3\xA9 au lait");
    EXPECT_EQ(rows[0].target.text, "caf\xC3\xA9 au lait\xE2\x90\x81");
}

TEST_F(HtmlReportTest, HeaderHasPathsTimesSummaryAndLegendAndNothingIsLoaded)
{
    EXPECT_EQ(report("same\n", "same\n"), core::kReportSame);
    EXPECT_NE(m_page.find(m_sourcePath), std::string::npos);
    EXPECT_NE(m_page.find(m_targetPath), std::string::npos);
    EXPECT_TRUE(showsATime(m_page));
    EXPECT_NE(m_page.find("Files are identical!<br>rows=1 same=1 source_only=0 target_only=0 changed=0"),
              std::string::npos);
    EXPECT_NE(m_page.find("<table class=\"legend\">"), std::string::npos);
    // Colours of the table: the default changed background and its stronger shade.
    EXPECT_NE(m_page.find(".s3{background:#c8c8c8;color:#0000ff;}"), std::string::npos);
    for (const char* outside : {"<script", "src=", "href=", "@import", "url("})
        EXPECT_EQ(m_page.find(outside), std::string::npos) << outside;
    EXPECT_TRUE(m_page.ends_with("</html>\n"));
}

} // namespace
