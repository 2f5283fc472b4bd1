#include "core/report.h"

#include <charconv>
#include <cstdlib>
#include <new>
#include <optional>
#include <ostream>
#include <sstream>
#include <string_view>

#include "core/html_report.h"
#include "core/merge_report.h"
#include "framework/services.h"
#include "core/file_form.h"
#include "core/pair_loader.h"
#include "core/progress_line.h"
#include "core/side_by_side_listing.h"
#include "settings/app_settings.h"

namespace core {

namespace {

constexpr int kDefaultColumns = 160;
constexpr int kMinimumColumns = 20;

constexpr std::string_view kUsage =
    "Usage: bivalo [SOURCE [TARGET [RESULT]]]\n"
    "       bivalo --report [--ignore-blanks] [--tab-size=N] [--format=side|rows|summary|html]\n"
    "                       [--encoding=NAME] [--source-encoding=NAME] [--target-encoding=NAME] SOURCE TARGET\n"
    "       bivalo --report --merge [--diff3] [-o OUTPUT] [-L LABEL]... BASE LOCAL REMOTE\n"
    "       bivalo --merge [-L LABEL]... -o OUTPUT BASE LOCAL REMOTE\n"
    "       bivalo --report --git-diff PATH OLD-FILE OLD-HEX OLD-MODE NEW-FILE NEW-HEX NEW-MODE\n"
    "       bivalo --help | --version\n"
    "\n"
    "Without --report, opens the window on SOURCE (left) and TARGET (right); either may be a\n"
    "folder holding a file of the other's name. RESULT names the file that \"Save As Result\"\n"
    "writes. With fewer than two names the window asks for the pair. Other arguments that\n"
    "begin with '-' are ignored. With --merge (and no --report), opens the merge of BASE, LOCAL\n"
    "and REMOTE in a window that saves the result to OUTPUT.\n"
    "\n"
    "With --report, compares SOURCE with TARGET without a window and prints the aligned rows.\n"
    "A name of '-' reads that side from standard input.\n"
    "  --ignore-blanks   compare lines ignoring blanks (default: the settings file)\n"
    "  --tab-size=N      expand each tab to N blanks, 0 to 50 (default: the settings file)\n"
    "  --encoding=NAME   read both files in this encoding instead of finding each one's:\n"
    "                    UTF-8, UTF-16LE, UTF-16BE, UTF-32LE, UTF-32BE or an 8-bit code page\n"
    "                    such as WINDOWS-1252, ISO-8859-15 or KOI8-R\n"
    "  --source-encoding=NAME, --target-encoding=NAME   the same for one file\n"
    "  --format=side     both files side by side, fitted to $COLUMNS (default)\n"
    "  --format=rows     one line per row: row, source entry, target entry, source state,\n"
    "                    target state (tab-separated), then '# rows=N blank_difference=0|1'\n"
    "  --format=summary  whether the files differ and how many rows of each kind\n"
    "  --format=html     one self-contained HTML page with both files side by side and\n"
    "                    the changes within lines marked\n"
    "  --merge           merge LOCAL and REMOTE, two changed versions of BASE, as git\n"
    "                    merge-file does: the result goes to OUTPUT (-o) or standard output,\n"
    "                    each conflict between <<<<<<<, ======= and >>>>>>> lines labelled\n"
    "                    with the -L labels (LOCAL, BASE, REMOTE) or the file names;\n"
    "                    --diff3 adds BASE's lines after |||||||. Exit status 0 without\n"
    "                    conflicts, 1 with some, 2 on trouble\n"
    "  --git-diff        take git's seven external-diff arguments (last option; for\n"
    "                    git config diff.external 'bivalo --report --git-diff')\n"
    "\n"
    "Each file's encoding is found when it is read: a BOM (UTF-8, UTF-16, UTF-32), UTF-16 by\n"
    "its NULs, UTF-8, else the 8-bit code page of LegacyEncoding in the settings' \"options\"\n"
    "(WINDOWS-1252 unless set). Files are compared as text.\n"
    "\n"
    "Settings are read from $BIVALO_INI, else $XDG_CONFIG_HOME/Bivalo.INI (~/.config/Bivalo.INI);\n"
    "the report never writes them.\n"
    "\n"
    "Exit status: the report 0 when no row differs, 1 when some row does, 2 on trouble\n"
    "(with --git-diff 0 also for differences, so that git goes on); the window 0, or other\n"
    "than 0 when it cannot be started; the merge window 0 when OUTPUT was saved with no\n"
    "conflict left, 1 otherwise, 2 when it cannot be started.\n";

constexpr std::string_view kTryHelp = "Try 'bivalo --help' for more information.\n";
constexpr const char* kStandardInputPath = "/dev/stdin";

int terminalColumns()
{
    const char* text = std::getenv("COLUMNS");
    if (text == nullptr)
        return kDefaultColumns;
    const std::string_view value(text);
    int columns = 0;
    const auto [stop, problem] = std::from_chars(value.data(), value.data() + value.size(), columns);
    if (problem != std::errc() || stop != value.data() + value.size() || columns < kMinimumColumns)
        return kDefaultColumns;
    return columns;
}

// The options of the settings file with those of the command line over them.
TextOptions reportTextOptions(const ReportOptions& options)
{
    settings::AppSettings stored;
    stored.Load();
    if (options.tabSize)
        stored.SetTabSize(*options.tabSize);
    TextOptions textOptions = textOptionsOf(stored);
    if (options.ignoreBlanks)
        textOptions.ignoreBlanks = *options.ignoreBlanks;
    return textOptions;
}

} // namespace

std::string readablePath(const std::string& name)
{
    return name == kStandardInputName ? kStandardInputPath : name;
}

std::string loadProblemText(const std::string& side, const LineFile& file)
{
    switch (file.loadProblem()) {
    case LoadProblem::NotFound:
    case LoadProblem::None:
        return side + " File Not Found!";
    case LoadProblem::Folder:
        return side + " is a folder, not a file: " + file.path();
    case LoadProblem::NoPermission:
        return side + " file cannot be read (permission denied): " + file.path();
    case LoadProblem::ReadError:
        return side + " file cannot be read: " + file.path();
    }
    return side + " File Not Found!";
}

namespace {

// A row's kind: the state of a line in it that is not Same, else Same.
LineState rowState(const LineFile& source, const LineFile& target, std::int32_t sourceEntry,
                   std::int32_t targetEntry)
{
    const LineRecord* left = source.lineAt(sourceEntry);
    const LineRecord* right = target.lineAt(targetEntry);
    if (left != nullptr && left->state() != LineState::Same)
        return left->state();
    if (right != nullptr && right->state() != LineState::Same)
        return right->state();
    return LineState::Same;
}

void writeRows(std::ostream& out, const LineFile& source, const LineFile& target, const CompareResult& result)
{
    auto stateField = [](const LineFile& file, std::int32_t entry) {
        const LineRecord* line = file.lineAt(entry);
        return line == nullptr ? std::string("-") : std::to_string(static_cast<int>(line->state()));
    };
    for (std::int32_t r = 0; r < result.rowCount; ++r) {
        const std::int32_t i = result.sourceRows[static_cast<std::size_t>(r)];
        const std::int32_t j = result.destinationRows[static_cast<std::size_t>(r)];
        out << r << '\t' << i << '\t' << j << '\t' << stateField(source, i) << '\t' << stateField(target, j)
            << '\n';
    }
    out << "# rows=" << result.rowCount << " blank_difference=" << (result.blankDifference ? 1 : 0) << '\n';
}

void writeSummary(std::ostream& out, const RowSummary& summary, bool blankDifference, const std::string& formDifference)
{
    if (summary.differences > 0)
        out << summary.differences << " differences\n";
    else if (blankDifference)
        out << "Different in blanks only!\n";
    else
        out << "Files are identical!\n";
    if (summary.differences == 0 && !formDifference.empty())
        out << formDifference << '\n';
    out << "rows=" << summary.rows << " same=" << summary.same << " source_only=" << summary.sourceOnly
        << " target_only=" << summary.targetOnly << " changed=" << summary.changed << '\n';
}

} // namespace

RowSummary summarizeRows(const LineFile& source, const LineFile& target, const CompareResult& result)
{
    RowSummary summary;
    summary.rows = result.rowCount;
    bool inDifference = false;
    for (std::int32_t r = 0; r < result.rowCount; ++r) {
        const std::int32_t i = result.sourceRows[static_cast<std::size_t>(r)];
        const std::int32_t j = result.destinationRows[static_cast<std::size_t>(r)];
        const LineState state = rowState(source, target, i, j);
        switch (state) {
        case LineState::Same:
            ++summary.same;
            break;
        case LineState::SourceOnly:
            ++summary.sourceOnly;
            break;
        case LineState::TargetOnly:
            ++summary.targetOnly;
            break;
        case LineState::Changed:
        case LineState::Edited:
            ++summary.changed;
            break;
        }
        const bool difference = isVirtualRow(i) || isVirtualRow(j) || state != LineState::Same;
        if (difference && !inDifference)
            ++summary.differences;
        inDifference = difference;
    }
    return summary;
}

int runReport(const ReportOptions& options, const TextOptions& textOptions, std::ostream& out, std::ostream& err)
{
    LineFile source;
    LineFile target;
    source.chooseEncoding(options.sourceEncoding);
    target.chooseEncoding(options.targetEncoding);
    WorkProgress progress;
    std::optional<ProgressLine> progressLine;
    if (options.errIsTerminal)
        progressLine.emplace(err, progress);
    const PairLoad loaded = loadPair(source, readablePath(options.files.at(0)), target,
                                     readablePath(options.files.at(1)), textOptions, &progress);
    if (!loaded.sourceLoaded || !loaded.targetLoaded) {
        progressLine.reset();
        err << loadProblemText(loaded.sourceLoaded ? "Destination" : "Source",
                               loaded.sourceLoaded ? target : source)
            << '\n';
        return kReportTrouble;
    }
    const CompareResult result = compareFiles(source, target, textOptions, &progress);
    progressLine.reset();
    const RowSummary summary = summarizeRows(source, target, result);
    const std::string forms = formDifference(source, target);
    switch (options.format) {
    case ReportFormat::Side:
        SideBySideListing(source, target, result, terminalColumns()).write(out);
        break;
    case ReportFormat::Rows:
        writeRows(out, source, target, result);
        break;
    case ReportFormat::Summary:
        writeSummary(out, summary, result.blankDifference, forms);
        break;
    case ReportFormat::Html: {
        std::ostringstream summaryText;
        writeSummary(summaryText, summary, result.blankDifference, forms);
        HtmlReport(source, target, result, textOptions).write(out, summaryText.str());
        break;
    }
    }
    out.flush();
    if (!out) {
        err << "The report could not be written.\n";
        return kReportTrouble;
    }
    return summary.differences > 0 ? kReportDifferent : kReportSame;
}

int runGitDiff(const ReportOptions& options, const TextOptions& textOptions, std::ostream& out, std::ostream& err)
{
    if (options.unmerged) {
        out << "* Unmerged path " << *options.gitPath << '\n';
        return kReportSame;
    }
    out << "diff a/" << *options.gitPath << " b/" << *options.gitPath << '\n';
    const int status = runReport(options, textOptions, out, err);
    // git stops at an external diff that does not end with 0.
    return status == kReportDifferent ? kReportSame : status;
}

int reportMain(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err, bool errIsTerminal)
{
    ReportOptions options;
    std::string error;
    if (!parseReportOptions(arguments, options, error)) {
        err << error << '\n' << kTryHelp;
        return kReportTrouble;
    }
    if (options.help) {
        out << kUsage;
        return kReportSame;
    }
    if (options.version) {
        out << framework::kAppTitle << '\n';
        return kReportSame;
    }
    if (!options.report) {
        err << kUsage;
        return kReportTrouble;
    }
    const TextOptions textOptions = reportTextOptions(options);
    options.errIsTerminal = errIsTerminal;
    if (options.merge)
        return runMerge(options, textOptions, out, err);
    try {
        return options.gitPath ? runGitDiff(options, textOptions, out, err) : runReport(options, textOptions, out, err);
    } catch (const std::bad_alloc&) {
        err << "Not enough memory to compare these files.\n";
        return kReportTrouble;
    }
}

} // namespace core
