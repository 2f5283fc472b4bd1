#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/text_encoding.h"

namespace core {

enum class ReportFormat { Side, Rows, Summary, Html };

// The command line of the headless report:
//   --report [--ignore-blanks] [--tab-size=N] [--format=side|rows|summary|html]
//            [--encoding=NAME] [--source-encoding=NAME] [--target-encoding=NAME] SOURCE TARGET
//   --report --merge [--diff3] [-o OUTPUT] [-L LABEL]... BASE LOCAL REMOTE
// plus --help and --version. Only '-' starts a switch; "--" ends the switches. A name "-"
// is standard input. "--git-diff" ends the switches too and takes the seven arguments git
// hands an external diff program: PATH OLD-FILE OLD-HEX OLD-MODE NEW-FILE NEW-HEX NEW-MODE
// (or PATH alone for an unmerged path); files then holds OLD-FILE and NEW-FILE.
struct ReportOptions {
    bool help = false;
    bool version = false;
    bool report = false;
    std::optional<int> tabSize;           // overrides the settings file for this run
    std::optional<bool> ignoreBlanks;     // likewise
    std::optional<TextEncoding> sourceEncoding; // read SOURCE in it instead of finding its own
    std::optional<TextEncoding> targetEncoding; // likewise TARGET
    ReportFormat format = ReportFormat::Side;
    std::vector<std::string> files;
    std::optional<std::string> gitPath;   // the path git names, with --git-diff
    bool unmerged = false;                // git named an unmerged path and no files
    // --merge BASE LOCAL REMOTE [-o OUTPUT] [-L LABEL]... [--diff3]: files holds the three.
    bool merge = false;
    std::optional<std::string> output;    // -o: where the merge goes, else standard output
    std::vector<std::string> labels;      // -L, up to three: LOCAL's, BASE's, REMOTE's
    bool diff3 = false;                   // conflicts show BASE's lines too
    // Not an option: standard error is a terminal, which may show the progress of a long load.
    bool errIsTerminal = false;
};

// The name that stands for standard input.
inline constexpr const char* kStandardInputName = "-";

// False with a message in error when the arguments (without the program name) are not
// understood.
bool parseReportOptions(const std::vector<std::string>& arguments, ReportOptions& options, std::string& error);

// The arguments ask for the report, the usage or the version rather than the window.
bool isHeadlessCommand(const std::vector<std::string>& arguments);

} // namespace core
