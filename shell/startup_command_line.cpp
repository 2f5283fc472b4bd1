#include "shell/startup_command_line.h"

#include <filesystem>
#include <system_error>

namespace shell {
namespace {

namespace fs = std::filesystem;

bool exists(const std::string& name)
{
    std::error_code error;
    return fs::exists(fs::path(name), error);
}

bool isFolder(const std::string& name)
{
    std::error_code error;
    return fs::is_directory(fs::path(name), error);
}

// The path of a file in folder with the last `count` components of file's path.
std::string candidate(const std::string& folder, const std::vector<std::string>& tail, std::size_t count)
{
    std::string result = folder;
    for (std::size_t i = tail.size() - count; i < tail.size(); ++i)
        result += tail[i];
    return result;
}

// "/a/b/f.txt" -> "/a", "/b", "/f.txt"; "a/f.txt" -> "/f.txt"; no '/' -> nothing.
std::vector<std::string> tailComponents(const std::string& file)
{
    std::vector<std::string> components;
    std::size_t slash = file.find('/');
    while (slash != std::string::npos) {
        const std::size_t next = file.find('/', slash + 1);
        components.push_back(file.substr(slash, next == std::string::npos ? std::string::npos : next - slash));
        slash = next;
    }
    return components;
}

void replaceFolder(std::string& folder, const std::string& file)
{
    const std::vector<std::string> tail = tailComponents(file);
    std::string base = folder;
    while (base.size() > 1 && base.back() == '/')
        base.pop_back();
    for (std::size_t count = 1; count <= tail.size(); ++count) {
        const std::string path = candidate(base, tail, count);
        if (exists(path) && !isFolder(path)) {
            folder = path;
            return;
        }
    }
}

} // namespace

StartupCommandLine StartupCommandLine::parse(const std::vector<std::string>& arguments)
{
    StartupCommandLine names;
    for (const std::string& argument : arguments) {
        if (argument.empty() || argument.front() == '-')
            continue;
        if (names.firstName.empty())
            names.firstName = argument;
        else if (names.secondName.empty())
            names.secondName = argument;
        else
            names.thirdName = argument;
    }
    return names;
}

void resolveFolderInPair(std::string& first, std::string& second)
{
    const bool firstExists = exists(first);
    const bool secondExists = exists(second);
    const bool firstIsFolder = !firstExists || isFolder(first);    // a missing name counts as a folder
    const bool secondIsFolder = !secondExists || isFolder(second);
    if (firstIsFolder == secondIsFolder || firstExists != secondExists)
        return;
    if (firstIsFolder)
        replaceFolder(first, second);
    else
        replaceFolder(second, first);
}

} // namespace shell
