// Times what the first paint of a changed row adds: finding the changes inside its two
// lines, on pairs of 4998-byte lines (the longest piece a record holds) from easy to
// hopeless, and prints the slowest and the median of many runs against the 1 ms budget.
// As a baseline of the same run it times copying both lines, the least any paint of the
// row does with them. Times are the process's processor time, so that other programs on a
// shared machine do not count.
//   inline_bench [RUNS]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "core/inline_changes.h"

namespace {

// The processor time of this process.
struct Clock {
    using duration = std::chrono::nanoseconds;
    using rep = duration::rep;
    using period = duration::period;
    using time_point = std::chrono::time_point<Clock>;
    static time_point now()
    {
        timespec now{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
        return time_point(std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec));
    }
};
constexpr std::size_t kLength = 4998;

std::string randomLine(std::mt19937& random, std::string_view alphabet)
{
    std::string line(kLength, ' ');
    for (char& c : line)
        c = alphabet[random() % alphabet.size()];
    return line;
}

// The line with `count` bytes replaced at random places.
std::string changed(std::string line, std::mt19937& random, int count)
{
    for (int k = 0; k < count; ++k)
        line[random() % line.size()] = '#';
    return line;
}

struct Case {
    const char* name;
    std::string source;
    std::string target;
};

std::vector<Case> cases()
{
    std::mt19937 random(42);
    constexpr std::string_view kCode = "abcdefgh_xyz ();,.=+-*/0123456789";
    constexpr std::string_view kPunctuation = "(),;.=+-*/<>[]{} ";
    const std::string code = randomLine(random, kCode);
    const std::string punctuation = randomLine(random, kPunctuation);
    return {
        {"one change", code, changed(code, random, 1)},
        {"20 changes", code, changed(code, random, 20)},
        {"100 changes", code, changed(code, random, 100)},
        {"500 changes", code, changed(code, random, 500)},
        {"punctuation, 100 changes", punctuation, changed(punctuation, random, 100)},
        {"unrelated code", code, randomLine(random, kCode)},
        {"unrelated punctuation", punctuation, randomLine(random, kPunctuation)},
    };
}

struct Timing {
    double first = 0;    // with the finder's room still to be made
    double median = 0;
    double slowest = 0;
};

Timing time(int runs, const std::function<std::size_t()>& work)
{
    std::vector<double> seconds;
    std::size_t sink = 0;
    for (int run = 0; run < runs; ++run) {
        const Clock::time_point start = Clock::now();
        sink += work();
        seconds.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    }
    const double first = seconds.front();
    std::sort(seconds.begin(), seconds.end());
    if (sink == 42)
        std::puts("");
    return {first, seconds[seconds.size() / 2], seconds.back()};
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    std::printf("%-26s %9s %10s %11s %15s %6s\n", "pair of 4998-byte lines", "first_ms", "median_ms", "slowest_ms",
                "copy_median_ms", "marks");
    for (const Case& pair : cases()) {
        core::InlineChanges changes;
        core::InlineChangeFinder finder;
        const Timing inline_ = time(runs, [&] {
            changes = finder.find(pair.source, pair.target, false);
            return changes.source.size();
        });
        const Timing copy = time(runs, [&] {
            const std::string a = pair.source;
            const std::string b = pair.target;
            return a.size() + b.size();
        });
        std::printf("%-26s %9.4f %10.4f %11.4f %15.4f %6zu\n", pair.name, inline_.first * 1e3, inline_.median * 1e3,
                    inline_.slowest * 1e3, copy.median * 1e3, changes.source.size() + changes.target.size());
    }
    return 0;
}
