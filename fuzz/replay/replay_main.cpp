// Runs every input of a fuzz target's corpus once, in the ordinary build: the seeds and every
// input that once found a fault stay tested without libFuzzer.
//   fuzz_replay TARGET PATH...   (a PATH is an input file or a folder of them)
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

using Entry = int (*)(const std::uint8_t*, std::size_t);

// Each target's LLVMFuzzerTestOneInput, renamed by the build.
extern "C" int replay_pair(const std::uint8_t*, std::size_t);
extern "C" int replay_edits(const std::uint8_t*, std::size_t);
extern "C" int replay_profile(const std::uint8_t*, std::size_t);
extern "C" int replay_mask(const std::uint8_t*, std::size_t);
extern "C" int replay_command_line(const std::uint8_t*, std::size_t);
extern "C" int replay_merge(const std::uint8_t*, std::size_t);

namespace {

namespace fs = std::filesystem;

struct Target {
    std::string_view name;
    Entry entry;
};

constexpr Target kTargets[] = {
    {"pair", replay_pair},   {"edits", replay_edits},     {"profile", replay_profile},
    {"mask", replay_mask},   {"command_line", replay_command_line}, {"merge", replay_merge},
};

std::vector<fs::path> inputsOf(const fs::path& path)
{
    if (!fs::is_directory(path))
        return {path};
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(path)) {
        if (entry.is_regular_file())
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

int main(int argc, char** argv)
{
    const auto target = std::find_if(std::begin(kTargets), std::end(kTargets), [&](const Target& known) {
        return argc > 1 && known.name == argv[1];
    });
    if (argc < 3 || target == std::end(kTargets)) {
        std::fprintf(stderr, "usage: fuzz_replay pair|edits|profile|mask|command_line|merge PATH...\n");
        return 2;
    }
    int runs = 0;
    for (int k = 2; k < argc; ++k) {
        for (const fs::path& input : inputsOf(argv[k])) {
            std::ifstream in(input, std::ios::binary);
            const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
            // Named first: a failing check aborts, and the last name printed is the culprit.
            std::fprintf(stderr, "%s\n", input.c_str());
            target->entry(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
            ++runs;
        }
    }
    std::printf("%.*s: %d inputs\n", static_cast<int>(target->name.size()), target->name.data(), runs);
    return runs > 0 ? 0 : 1;
}
