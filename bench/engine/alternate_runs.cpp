// Times two or more commands run in turn, one after the other, N times each, and prints
// the best wall time of each in seconds: "A_SECONDS B_SECONDS ...". Running them
// alternately lets all see the same changes of machine speed; forking them directly keeps
// shell start-up out of the figures. Standard output goes to /dev/null; exit status 0 or
// 1 counts as success (1 means "different" for both diff and bivalo).
//   alternate_runs N COMMAND_A... -- COMMAND_B... [-- COMMAND_C...]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

double runOnce(const std::vector<char*>& command)
{
    const Clock::time_point start = Clock::now();
    const pid_t child = ::fork();
    if (child < 0) {
        std::perror("fork");
        std::exit(2);
    }
    if (child == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        if (null >= 0)
            ::dup2(null, STDOUT_FILENO);
        ::execvp(command[0], command.data());
        std::perror(command[0]);
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (!WIFEXITED(status) || WEXITSTATUS(status) > 1) {
        std::fprintf(stderr, "%s failed\n", command[0]);
        std::exit(2);
    }
    return seconds;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: alternate_runs N COMMAND_A... -- COMMAND_B... [-- COMMAND_C...]\n");
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    std::vector<std::vector<char*>> commands(1);
    for (int k = 2; k < argc; ++k) {
        if (std::string_view(argv[k]) == "--")
            commands.emplace_back();
        else
            commands.back().push_back(argv[k]);
    }
    if (commands.size() < 2 || std::any_of(commands.begin(), commands.end(), [](const auto& c) { return c.empty(); })) {
        std::fprintf(stderr, "alternate_runs: two or more commands are needed\n");
        return 2;
    }
    std::vector<double> best(commands.size(), 1e300);
    for (auto& command : commands)
        command.push_back(nullptr);
    for (int k = 0; k < runs; ++k) {
        for (std::size_t c = 0; c < commands.size(); ++c)
            best[c] = std::min(best[c], runOnce(commands[c]));
    }
    for (std::size_t c = 0; c < best.size(); ++c)
        std::printf(c == 0 ? "%.6f" : " %.6f", best[c]);
    std::printf("\n");
    return 0;
}
