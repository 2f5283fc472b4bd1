#include "core/html_report.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <sstream>

#include "core/report.h"
#include "framework/profile.h"
#include "tests/core/line_files.h"
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

std::string unescape(std::string markup)
{
    markup = std::regex_replace(markup, std::regex("</?(del|ins)>"), "");
    markup = std::regex_replace(markup, std::regex("&lt;"), "<");
    markup = std::regex_replace(markup, std::regex("&gt;"), ">");
    return std::regex_replace(markup, std::regex("&amp;"), "&");
}

std::vector<PageRow> rowsOf(const std::string& page)
{
    const std::size_t table = page.find("<table class=\"rows\">");
    EXPECT_NE(table, std::string::npos);
    const std::string body = page.substr(table, page.find("</table>", table) - table);
    static const std::regex cell(R"re(<td class="n (\w+)">(\d*)</td><td class="(\w+)">(.*?)</td>)re");
    static const std::regex rowPattern("<tr>(.*?)</tr>");
    std::vector<PageRow> rows;
    for (auto it = std::sregex_iterator(body.begin(), body.end(), rowPattern); it != std::sregex_iterator(); ++it) {
        const std::string cells = (*it)[1];
        std::vector<PageCell> sides;
        for (auto c = std::sregex_iterator(cells.begin(), cells.end(), cell); c != std::sregex_iterator(); ++c) {
            EXPECT_EQ((*c)[1], (*c)[3]);
            sides.push_back({(*c)[1], (*c)[2], (*c)[4], unescape((*c)[4])});
        }
        EXPECT_EQ(sides.size(), 2u) << cells;
        if (sides.size() == 2)
            rows.push_back({sides[0], sides[1]});
    }
    return rows;
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

    testing_support::SettingsGuard m_guard;
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
    EXPECT_TRUE(std::regex_search(m_page, std::regex(R"(<td class="time">\d{4}-\d\d-\d\d \d\d:\d\d:\d\d</td>)")));
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
