// Times two commands run in turn, one after the other, N times each, and prints the
// best wall time of each in seconds: "A_SECONDS B_SECONDS". Running them alternately
// lets both see the same changes of machine speed; forking them directly keeps shell
// start-up out of the figures. Standard output of both goes to /dev/null; exit status
// 0 or 1 counts as success (1 means "different" for both diff and bivalo).
//   alternate_runs N COMMAND_A... -- COMMAND_B...
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
        std::fprintf(stderr, "usage: alternate_runs N COMMAND_A... -- COMMAND_B...\n");
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    std::vector<char*> first;
    std::vector<char*> second;
    std::vector<char*>* filling = &first;
    for (int k = 2; k < argc; ++k) {
        if (std::string_view(argv[k]) == "--" && filling == &first)
            filling = &second;
        else
            filling->push_back(argv[k]);
    }
    if (first.empty() || second.empty()) {
        std::fprintf(stderr, "alternate_runs: two commands are needed\n");
        return 2;
    }
    first.push_back(nullptr);
    second.push_back(nullptr);
    double bestFirst = 1e300;
    double bestSecond = 1e300;
    for (int k = 0; k < runs; ++k) {
        bestFirst = std::min(bestFirst, runOnce(first));
        bestSecond = std::min(bestSecond, runOnce(second));
    }
    std::printf("%.6f %.6f\n", bestFirst, bestSecond);
    return 0;
}
