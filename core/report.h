#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "core/difference_engine.h"
#include "core/report_options.h"

namespace core {

constexpr int kReportSame = 0;
constexpr int kReportDifferent = 1;
constexpr int kReportTrouble = 2;

// Rows of a comparison by what they show.
struct RowSummary {
    std::int32_t rows = 0;
    std::int32_t same = 0;
    std::int32_t sourceOnly = 0;
    std::int32_t targetOnly = 0;
    std::int32_t changed = 0;
    // Maximal runs of rows that are virtual on a side or hold a line that is not Same.
    std::int32_t differences = 0;
};

RowSummary summarizeRows(const LineFile& source, const LineFile& target, const CompareResult& result);

// The headless program: usage, version, or load, compare and print the aligned rows.
// Returns 0 when no row differs, 1 when some row does, 2 on trouble (told on err).
// Options override the settings file for this run only; nothing is written back. When err
// is a terminal, a load and comparison that takes over a second shows its progress there.
int reportMain(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
               bool errIsTerminal = false);

// Loads and compares the pair of options.files with textOptions and prints it.
int runReport(const ReportOptions& options, const TextOptions& textOptions, std::ostream& out, std::ostream& err);

// The path to read for a name given on the command line ("-" is standard input).
std::string readablePath(const std::string& name);
// What the report says when a file could not be loaded; side is "Source", "Destination"...
std::string loadProblemText(const std::string& side, const LineFile& file);

// The report as git's external diff program: a caption naming the path, then the report;
// differences end with 0 as well, so that git goes on to the next path.
int runGitDiff(const ReportOptions& options, const TextOptions& textOptions, std::ostream& out, std::ostream& err);

} // namespace core
