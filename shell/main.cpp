#include <cerrno>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include <malloc.h>
#include <unistd.h>

#include "core/report.h"
#include "core/report_options.h"

namespace {

// The window lives in a program of its own, so that a headless run never loads the
// toolkit's libraries: scripts start faster and use less memory. A build keeps it beside
// this program; an installed tree under ../libexec/bivalo/. Both are found from where this
// program is, so that an installed tree can be moved.
std::string windowProgramPath()
{
    std::string self(4096, '\0');
    const ssize_t length = ::readlink("/proc/self/exe", self.data(), self.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= self.size())
        return "bivalo-window";
    self.resize(static_cast<std::size_t>(length));
    const std::string folder = self.substr(0, self.rfind('/') + 1);
    const std::string beside = folder + "bivalo-window";
    const std::string installed = folder + "../libexec/bivalo/bivalo-window";
    return ::access(beside.c_str(), X_OK) != 0 && ::access(installed.c_str(), X_OK) == 0 ? installed : beside;
}

int startWindowProgram(char** argv)
{
    const std::string path = windowProgramPath();
    ::execv(path.c_str(), argv);
    std::cerr << "bivalo: cannot start " << path << ": " << std::strerror(errno) << '\n';
    return core::kReportTrouble;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (core::isHeadlessCommand(arguments)) {
        // A report lives for one comparison: memory freed on the way is better reused
        // from the heap than handed back and asked for again page by page.
        ::mallopt(M_MMAP_THRESHOLD, 32 << 20);
        ::mallopt(M_TRIM_THRESHOLD, 1 << 30);
        return core::reportMain(arguments, std::cout, std::cerr, ::isatty(STDERR_FILENO) == 1);
    }
    return startWindowProgram(argv);
}
