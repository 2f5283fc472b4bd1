#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>

#include <QCoreApplication>
#include <QProcess>

#include "tests/random/window_driver.h"

// Random steps through the real window, each seed's run in a process of its own so that a
// crash, a sanitizer report or a hang is caught like a broken invariant. A failing run is
// cut down to the shortest step list that still fails the same way, by replaying it.
//
// Environment: BIVALO_RANDOM_SEED (first seed, 1), BIVALO_RANDOM_RUNS (seeds, 4),
// BIVALO_RANDOM_STEPS (steps per seed, 200), BIVALO_RANDOM_SECONDS (go on with further seeds
// until this much time has passed), BIVALO_RANDOM_MINIMISE_SECONDS (time for cutting down a failure, 300).
namespace random_driver {
namespace {

constexpr const char* kReplayTest = "RandomDriver.DISABLED_ReplaySteps";

long environmentNumber(const char* name, long fallback)
{
    const QByteArray value = qgetenv(name);
    return value.isEmpty() ? fallback : value.toLong();
}

struct Outcome {
    bool failed = false;
    int step = -1;        // the step that failed; -1 for the start
    std::string kind;     // what failed: the invariant, "crash" or "hang"
    std::string detail;
};

std::string kindOf(const std::string& failure)
{
    return failure.substr(0, failure.find(':'));
}

// Runs the steps on the seed's pair in a child process.
Outcome replay(unsigned seed, const std::vector<Step>& steps)
{
    const QString folder = QCoreApplication::applicationDirPath();
    const std::string stepsFile = folder.toStdString() + "/random_driver_" + std::to_string(seed) + ".steps";
    const std::string resultFile = stepsFile + ".result";
    {
        std::ofstream out(stepsFile);
        for (const Step& step : steps)
            out << serialize(step) << '\n';
    }
    std::remove(resultFile.c_str());
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("BIVALO_RANDOM_REPLAY", QString::fromStdString(stepsFile));
    environment.insert("BIVALO_RANDOM_REPLAY_SEED", QString::number(seed));
    environment.insert("BIVALO_RANDOM_RESULT", QString::fromStdString(resultFile));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::SeparateChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QString("--gtest_filter=") + kReplayTest, "--gtest_also_run_disabled_tests"});
    const bool finished = child.waitForStarted() && child.waitForFinished(30000 + 500 * int(steps.size()));
    if (!finished) {
        child.kill();
        child.waitForFinished();
    }
    std::ifstream in(resultFile);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    std::remove(stepsFile.c_str());
    std::remove(resultFile.c_str());
    Outcome outcome;
    for (const std::string& line : lines) {
        if (line.starts_with("step "))
            outcome.step = std::stoi(line.substr(5));
        else if (line.starts_with("fail ")) {
            std::istringstream fields(line.substr(5));
            fields >> outcome.step;
            std::getline(fields >> std::ws, outcome.detail);
            outcome.kind = kindOf(outcome.detail);
            outcome.failed = true;
        } else if (line == "ok" && finished && child.exitCode() == 0)
            return {};
    }
    if (!outcome.failed) {
        outcome.failed = true;
        outcome.kind = finished ? "crash" : "hang";
        const QString errors = QString::fromLocal8Bit(child.readAllStandardError());
        outcome.detail = outcome.kind + ": exit " + std::to_string(child.exitCode()) + "\n" +
                         errors.right(6000).toStdString();
    }
    return outcome;
}

// Cuts chunks out of the steps while the replay still fails the same way.
std::vector<Step> shortestFailing(unsigned seed, std::vector<Step> steps, const Outcome& failure)
{
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::seconds(environmentNumber("BIVALO_RANDOM_MINIMISE_SECONDS", 300));
    if (failure.step < 0)
        return {};
    steps.resize(std::size_t(failure.step + 1));
    std::size_t parts = 2;
    while (steps.size() > 1 && Clock::now() < deadline) {
        const std::size_t chunk = (steps.size() + parts - 1) / parts;
        bool cut = false;
        for (std::size_t start = 0; start < steps.size() && Clock::now() < deadline; start += chunk) {
            std::vector<Step> candidate(steps.begin(), steps.begin() + long(start));
            candidate.insert(candidate.end(), steps.begin() + long(std::min(steps.size(), start + chunk)), steps.end());
            const Outcome outcome = replay(seed, candidate);
            if (outcome.failed && outcome.kind == failure.kind && outcome.step >= 0) {
                candidate.resize(std::size_t(outcome.step + 1));
                steps = candidate;
                parts = std::max<std::size_t>(parts - 1, 2);
                cut = true;
                break;
            }
        }
        if (!cut) {
            if (parts >= steps.size())
                break;
            parts = std::min(steps.size(), parts * 2);
        }
    }
    return steps;
}

std::string report(unsigned seed, const Outcome& failure, const std::vector<Step>& steps)
{
    std::ostringstream out;
    out << "seed " << seed << " failed at step " << failure.step << ": " << failure.detail << "\n"
        << "shortest failing list, " << steps.size() << " steps (replay: BIVALO_RANDOM_REPLAY=<file of the "
        << "second column> BIVALO_RANDOM_REPLAY_SEED=" << seed << " random_tests --gtest_filter=" << kReplayTest
        << " --gtest_also_run_disabled_tests):\n";
    for (std::size_t i = 0; i < steps.size(); ++i)
        out << "  " << i << ". " << describe(steps[i]) << "    | " << serialize(steps[i]) << "\n";
    return out.str();
}

TEST(RandomDriver, RandomStepsKeepTheInvariants)
{
    using Clock = std::chrono::steady_clock;
    const auto started = Clock::now();
    const long seconds = environmentNumber("BIVALO_RANDOM_SECONDS", 0);
    const long runs = environmentNumber("BIVALO_RANDOM_RUNS", 4);
    const int stepCount = int(environmentNumber("BIVALO_RANDOM_STEPS", 200));
    unsigned seed = unsigned(environmentNumber("BIVALO_RANDOM_SEED", 1));
    long stepsRun = 0;
    int failures = 0;
    for (long run = 0; seconds > 0 ? Clock::now() - started < std::chrono::seconds(seconds) : run < runs; ++run, ++seed) {
        const std::vector<Step> steps = randomSteps(seed, stepCount);
        const Outcome outcome = replay(seed, steps);
        stepsRun += outcome.failed ? outcome.step + 1 : stepCount;
        if (!outcome.failed)
            continue;
        ++failures;
        ADD_FAILURE() << report(seed, outcome, shortestFailing(seed, steps, outcome));
    }
    std::printf("random driver: %ld steps from seed %ld to %u, %d failing, %lld s\n", stepsRun,
                environmentNumber("BIVALO_RANDOM_SEED", 1), seed - 1, failures,
                static_cast<long long>(std::chrono::duration_cast<std::chrono::seconds>(Clock::now() - started).count()));
}

// The child's part: the steps of a file on the seed's pair, every step noted before it is taken.
TEST(RandomDriver, DISABLED_ReplaySteps)
{
    const unsigned seed = unsigned(environmentNumber("BIVALO_RANDOM_REPLAY_SEED", 1));
    std::ifstream in(qgetenv("BIVALO_RANDOM_REPLAY").toStdString());
    std::ofstream result(qgetenv("BIVALO_RANDOM_RESULT").toStdString());
    std::vector<Step> steps;
    for (std::string line; std::getline(in, line);)
        steps.push_back(parseStep(line));
    WindowDriver driver(makeNastyPair(seed));
    std::string failure = driver.start();
    if (!failure.empty())
        result << "fail -1 " << failure << std::endl;
    for (std::size_t i = 0; failure.empty() && i < steps.size(); ++i) {
        result << "step " << i << std::endl;
        failure = driver.run(steps[i]);
        if (!failure.empty())
            result << "fail " << i << ' ' << failure << std::endl;
    }
    if (failure.empty())
        result << "ok" << std::endl;
    EXPECT_EQ(failure, "");
}

} // namespace
} // namespace random_driver
