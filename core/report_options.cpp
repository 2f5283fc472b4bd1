#include "core/report_options.h"

#include <algorithm>
#include <charconv>
#include <string_view>

#include "settings/app_settings.h"

namespace core {

namespace {

constexpr std::string_view kTabSizeSwitch = "--tab-size=";
constexpr std::string_view kEncodingSwitch = "--encoding=";
constexpr std::string_view kSourceEncodingSwitch = "--source-encoding=";
constexpr std::string_view kTargetEncodingSwitch = "--target-encoding=";

// --encoding=NAME sets both sides, --source-encoding and --target-encoding one each.
bool parseEncodingSwitch(std::string_view argument, ReportOptions& options, std::string& error)
{
    const std::string_view name = argument.substr(argument.find('=') + 1);
    const std::optional<TextEncoding> encoding = encodingNamed(name);
    if (!encoding) {
        error = "Unknown encoding: " + std::string(name);
        return false;
    }
    if (!argument.starts_with(kTargetEncodingSwitch))
        options.sourceEncoding = encoding;
    if (!argument.starts_with(kSourceEncodingSwitch))
        options.targetEncoding = encoding;
    return true;
}
constexpr std::string_view kFormatSwitch = "--format=";
constexpr std::string_view kGitDiffSwitch = "--git-diff";
constexpr std::size_t kGitDiffArguments = 7;
constexpr std::size_t kGitOldFile = 1;
constexpr std::size_t kGitNewFile = 4;
constexpr std::size_t kMergeInputs = 3;

bool parseTabSize(std::string_view text, int& tabSize)
{
    const char* end = text.data() + text.size();
    const auto [stop, problem] = std::from_chars(text.data(), end, tabSize);
    return problem == std::errc() && stop == end && tabSize >= 0 && tabSize <= settings::AppSettings::kMaxTabSize;
}

bool parseFormat(std::string_view text, ReportFormat& format)
{
    if (text == "side")
        format = ReportFormat::Side;
    else if (text == "rows")
        format = ReportFormat::Rows;
    else if (text == "summary")
        format = ReportFormat::Summary;
    else if (text == "html")
        format = ReportFormat::Html;
    else
        return false;
    return true;
}

bool parseSwitch(std::string_view argument, ReportOptions& options, std::string& error)
{
    if (argument == "--help") {
        options.help = true;
    } else if (argument == "--version") {
        options.version = true;
    } else if (argument == "--report") {
        options.report = true;
    } else if (argument == "--merge") {
        options.merge = true;
    } else if (argument == "--diff3") {
        options.diff3 = true;
    } else if (argument == "--ignore-blanks") {
        options.ignoreBlanks = true;
    } else if (argument.starts_with(kTabSizeSwitch)) {
        int tabSize = 0;
        if (!parseTabSize(argument.substr(kTabSizeSwitch.size()), tabSize)) {
            error = "The tab size must be a number from 0 to 50: " + std::string(argument);
            return false;
        }
        options.tabSize = tabSize;
    } else if (argument.starts_with(kEncodingSwitch) || argument.starts_with(kSourceEncodingSwitch)
               || argument.starts_with(kTargetEncodingSwitch)) {
        return parseEncodingSwitch(argument, options, error);
    } else if (argument.starts_with(kFormatSwitch)) {
        ReportFormat format = ReportFormat::Side;
        if (!parseFormat(argument.substr(kFormatSwitch.size()), format)) {
            error = "Unknown format (side, rows, summary or html): " + std::string(argument);
            return false;
        }
        options.format = format;
    } else {
        error = "bivalo: unknown option '" + std::string(argument) + "'";
        return false;
    }
    return true;
}

// git's arguments in place of SOURCE and TARGET: the old and the new file.
bool takeGitArguments(ReportOptions& options, std::string& error)
{
    std::vector<std::string>& files = options.files;
    options.report = true;
    if (files.size() == 1) {
        options.gitPath = files.front();
        options.unmerged = true;
        files.clear();
        return true;
    }
    if (files.size() != kGitDiffArguments) {
        error = "bivalo: --git-diff takes the seven arguments of git's external diff "
                "(PATH OLD-FILE OLD-HEX OLD-MODE NEW-FILE NEW-HEX NEW-MODE)";
        return false;
    }
    options.gitPath = files.front();
    files = {files[kGitOldFile], files[kGitNewFile]};
    return true;
}

// The switches of the merge that take the next argument as their value.
bool takesValue(std::string_view argument)
{
    return argument == "-o" || argument == "-L";
}

bool setValue(std::string_view name, const std::string& value, ReportOptions& options, std::string& error)
{
    if (name == "-o") {
        options.output = value;
        return true;
    }
    if (options.labels.size() == kMergeInputs) {
        error = "bivalo: -L is given at most three times (LOCAL, BASE, REMOTE)";
        return false;
    }
    options.labels.push_back(value);
    return true;
}

bool checkFileCount(const ReportOptions& options, std::string& error)
{
    if (options.merge && options.files.size() != kMergeInputs) {
        error = "bivalo: the merge needs three files, BASE LOCAL REMOTE";
        return false;
    }
    if (!options.merge && (options.output || !options.labels.empty() || options.diff3)) {
        error = "bivalo: -o, -L and --diff3 belong to --merge";
        return false;
    }
    if (!options.merge && options.report && options.files.size() != 2) {
        error = "bivalo: the report needs two files, SOURCE and TARGET";
        return false;
    }
    if (std::count(options.files.begin(), options.files.end(), kStandardInputName) > 1) {
        error = "bivalo: only one side can be read from standard input";
        return false;
    }
    return true;
}

} // namespace

bool parseReportOptions(const std::vector<std::string>& arguments, ReportOptions& options, std::string& error)
{
    bool switchesEnded = false;
    bool gitDiff = false;
    std::string_view valueFor;
    for (const std::string& argument : arguments) {
        if (!valueFor.empty()) {
            if (!setValue(valueFor, argument, options, error))
                return false;
            valueFor = {};
        } else if (!switchesEnded && takesValue(argument)) {
            valueFor = argument;
        } else if (!switchesEnded && (argument == "--" || argument == kGitDiffSwitch)) {
            switchesEnded = true;
            gitDiff = gitDiff || argument == kGitDiffSwitch;
        } else if (!switchesEnded && argument.size() > 1 && argument[0] == '-') {
            if (!parseSwitch(argument, options, error))
                return false;
        } else {
            options.files.push_back(argument);
        }
    }
    if (!valueFor.empty()) {
        error = "bivalo: " + std::string(valueFor) + " needs a value";
        return false;
    }
    if (options.help || options.version)
        return true;
    if (gitDiff)
        return takeGitArguments(options, error);
    return checkFileCount(options, error);
}

bool isHeadlessCommand(const std::vector<std::string>& arguments)
{
    return std::any_of(arguments.begin(), arguments.end(), [](const std::string& argument) {
        return argument == "--report" || argument == kGitDiffSwitch || argument == "--help" || argument == "--version";
    });
}

} // namespace core
