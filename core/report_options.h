#pragma once

#include <optional>
#include <string>
#include <vector>

namespace core {

enum class ReportFormat { Side, Rows, Summary };

// The command line of the headless report:
//   --report [--ignore-blanks] [--tab-size=N] [--format=side|rows|summary] SOURCE TARGET
// plus --help and --version. Only '-' starts a switch; "--" ends the switches.
struct ReportOptions {
    bool help = false;
    bool version = false;
    bool report = false;
    std::optional<int> tabSize;           // overrides the settings file for this run
    std::optional<bool> ignoreBlanks;     // likewise
    ReportFormat format = ReportFormat::Side;
    std::vector<std::string> files;
};

// False with a message in error when the arguments (without the program name) are not
// understood.
bool parseReportOptions(const std::vector<std::string>& arguments, ReportOptions& options, std::string& error);

// The arguments ask for the report, the usage or the version rather than the window.
bool isHeadlessCommand(const std::vector<std::string>& arguments);

} // namespace core
