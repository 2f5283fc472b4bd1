// Text from outside that is not a file: the start-up arguments, the report's options (the
// arguments are the input cut at NUL bytes, as a process gets them) and clipboard text
// split into lines.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/clip_lines.h"
#include "core/report_options.h"
#include "fuzz/support/fuzz_check.h"
#include "fuzz/support/fuzz_pair.h"
#include "fuzz/support/scratch_dir.h"
#include "shell/startup_command_line.h"

namespace {

std::vector<std::string> argumentsOf(std::string_view bytes)
{
    std::vector<std::string> arguments;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\0');
        arguments.emplace_back(bytes.substr(0, end));
        bytes = end == std::string_view::npos ? std::string_view() : bytes.substr(end + 1);
    }
    return arguments;
}

// The names are the arguments that are not switches, in order; a fourth or later one
// takes the third place.
void checkStartupNames(const std::vector<std::string>& arguments)
{
    std::vector<std::string> names;
    for (const std::string& argument : arguments) {
        if (!argument.empty() && argument.front() != '-')
            names.push_back(argument);
    }
    const shell::StartupCommandLine line = shell::StartupCommandLine::parse(arguments);
    auto nameAt = [&names](std::size_t i) { return i < names.size() ? names[i] : std::string(); };
    fuzz::check(line.firstName == nameAt(0) && line.secondName == nameAt(1), "the first two names in order");
    fuzz::check(line.thirdName == (names.size() >= 3 ? names.back() : std::string()), "the last name is the third");
    fuzz::check(line.hasPair() == (names.size() >= 2), "two names make a pair");
}

void checkReplacedByFileInIt(std::string folder, const std::string& name)
{
    if (name == folder)
        return;
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    std::error_code error;
    fuzz::check(std::filesystem::is_regular_file(name, error) && name.starts_with(folder + "/"),
                "a folder becomes a file in it", folder + " -> " + name);
}

// Names tried against a real folder holding a file: a replaced name is that file.
void checkFolderInPair(const std::vector<std::string>& arguments)
{
    namespace fs = std::filesystem;
    const std::string folder = fuzz::scratchDir() + "/pair";
    fs::create_directories(folder + "/sub");
    fuzz::writeScratchFile("pair/sub/f.txt", "f\n");
    std::string first = arguments.size() > 0 ? folder + "/" + arguments[0] : folder;
    std::string second = arguments.size() > 1 ? folder + "/" + arguments[1] : folder + "/sub/f.txt";
    const std::string firstBefore = first;
    const std::string secondBefore = second;
    shell::resolveFolderInPair(first, second);
    checkReplacedByFileInIt(firstBefore, first);
    checkReplacedByFileInIt(secondBefore, second);
}

void checkReportOptions(const std::vector<std::string>& arguments)
{
    core::ReportOptions options;
    std::string error;
    const bool understood = core::parseReportOptions(arguments, options, error);
    fuzz::check(understood || !error.empty(), "a refusal says why");
    if (understood && options.report && !options.help && !options.version)
        fuzz::check(options.files.size() == (options.merge ? 3u : 2u) || options.unmerged,
                    "a report has two files, a merge three");
    if (options.tabSize)
        fuzz::check(*options.tabSize >= 0 && *options.tabSize <= 50, "a tab size in range");
    core::isHeadlessCommand(arguments);
}

// Every line feed ends a line, no line holds a line break, and the lines copied back to
// the clipboard split into the same lines.
void checkClipboard(std::string_view text)
{
    const std::vector<std::string> lines = core::ClipLines::split(text);
    core::ClipLines clip;
    for (const std::string& line : lines) {
        fuzz::check(line.find_first_of("\r\n") == std::string::npos, "a line holds no line break");
        clip.add(line);
    }
    std::size_t lineFeeds = 0;
    for (const char c : text)
        lineFeeds += c == '\n' ? 1 : 0;
    const bool lastPiece = !text.empty() && text.back() != '\n';
    fuzz::check(lines.size() == lineFeeds + (lastPiece ? 1 : 0), "one line per line feed and the last piece");
    fuzz::check(core::ClipLines::split(clip.text()) == lines, "copied lines split into the same lines");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const fuzz::FuzzInput input = fuzz::FuzzInput::parse(data, size);
    const std::vector<std::string> arguments = argumentsOf(input.source);
    checkStartupNames(arguments);
    checkReportOptions(arguments);
    if (input.ignoreBlanks)
        checkFolderInPair(arguments);
    checkClipboard(input.target);
    return 0;
}
