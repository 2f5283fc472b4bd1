#include "core/report_options.h"

#include <algorithm>
#include <charconv>
#include <string_view>

#include "settings/app_settings.h"

namespace core {

namespace {

constexpr std::string_view kTabSizeSwitch = "--tab-size=";
constexpr std::string_view kFormatSwitch = "--format=";

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
    } else if (argument == "--ignore-blanks") {
        options.ignoreBlanks = true;
    } else if (argument.starts_with(kTabSizeSwitch)) {
        int tabSize = 0;
        if (!parseTabSize(argument.substr(kTabSizeSwitch.size()), tabSize)) {
            error = "The tab size must be a number from 0 to 50: " + std::string(argument);
            return false;
        }
        options.tabSize = tabSize;
    } else if (argument.starts_with(kFormatSwitch)) {
        ReportFormat format = ReportFormat::Side;
        if (!parseFormat(argument.substr(kFormatSwitch.size()), format)) {
            error = "Unknown format (side, rows or summary): " + std::string(argument);
            return false;
        }
        options.format = format;
    } else {
        error = "Unknown option: " + std::string(argument);
        return false;
    }
    return true;
}

} // namespace

bool parseReportOptions(const std::vector<std::string>& arguments, ReportOptions& options, std::string& error)
{
    bool switchesEnded = false;
    for (const std::string& argument : arguments) {
        if (!switchesEnded && argument == "--") {
            switchesEnded = true;
        } else if (!switchesEnded && argument.size() > 1 && argument[0] == '-') {
            if (!parseSwitch(argument, options, error))
                return false;
        } else {
            options.files.push_back(argument);
        }
    }
    if (options.help || options.version)
        return true;
    if (options.report && options.files.size() != 2) {
        error = "The report needs two files, SOURCE and TARGET.";
        return false;
    }
    return true;
}

bool isHeadlessCommand(const std::vector<std::string>& arguments)
{
    return std::any_of(arguments.begin(), arguments.end(), [](const std::string& argument) {
        return argument == "--report" || argument == "--help" || argument == "--version";
    });
}

} // namespace core
