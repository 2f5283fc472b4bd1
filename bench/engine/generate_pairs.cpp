// Writes the benchmark's file pairs into a folder, the same bytes on every run:
//   big_*         1 000 000 lines, about 0.5% of them changed in about 2 000 hunks
//   disjoint_*    20 000 lines each, no line in common
//   repetitive_*  50 000 lines drawn from 50 distinct lines, about 1% edited
//   long_*        2 000 lines of 10 000 bytes and more, about 1% changed
//   tabbed_*      1 000 000 lines, every one indented with tabs, a tenth of them ending in
//                 blanks, about 0.5% of them changed in about 2 000 hunks
//   stretch_*     1 000 000 lines, about 2 000 hunks in the first and last quarters and
//                 none in the 500 000 lines between them
//   big_r.txt     big_a.txt with another 0.5% of edits, apart from big_b.txt's: with big_a.txt
//                 as BASE and big_b.txt as LOCAL, the REMOTE of a three-way merge
#include <cstdint>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

std::string codeLine(std::mt19937_64& random, std::uint64_t serial)
{
    static const char* const shapes[] = {
        "\tresult_%u = compute(input_%u, %u);",
        "\tif (count_%u > limit_%u)\n",
        "\t\treturn table[%u] + offset_%u * %u;",
        "// step %u of %u: keep %u",
        "\tfor (int i = 0; i < size_%u; ++i) total_%u += weight[%u];",
        "}",
        "",
        "\tprintf(\"%%d items in %u of %u (%u)\\n\", n);",
    };
    const std::string shape = shapes[random() % 8];
    std::string line;
    int field = 0;
    for (std::size_t k = 0; k < shape.size(); ++k) {
        if (shape[k] == '%' && k + 1 < shape.size() && shape[k + 1] == 'u') {
            line += std::to_string(field++ == 0 ? serial : random() % 1000);
            ++k;
        } else if (shape[k] != '\n') {
            line += shape[k];
        }
    }
    return line;
}

// A code line indented with one to three tabs, on every tenth line followed by blanks.
std::string tabbedLine(std::mt19937_64& random, std::uint64_t serial)
{
    std::string line(1 + random() % 3, '\t');
    const std::string code = codeLine(random, serial);
    const std::size_t start = code.find_first_not_of('\t');
    line += start == std::string::npos ? std::string("}") : code.substr(start);
    if (random() % 10 == 0)
        line.append(1 + random() % 3, ' ');
    return line;
}

void write(const std::string& path, const Lines& lines)
{
    std::ofstream out(path, std::ios::binary);
    for (const std::string& line : lines)
        out << line << '\n';
}

// Copies source with `hunks` edits spread evenly, at `phase` (in hundredths of the spacing)
// of each stretch: each hunk changes, inserts or deletes one to four lines.
Lines edited(const Lines& source, int hunks, std::mt19937_64& random, auto&& newLine, std::size_t phase = 50)
{
    Lines target;
    target.reserve(source.size() + source.size() / 50);
    const std::size_t spacing = source.size() / static_cast<std::size_t>(hunks);
    for (std::size_t i = 0; i < source.size();) {
        if (i % spacing == spacing * phase / 100) {
            const int length = 1 + static_cast<int>(random() % 4);
            const int kind = static_cast<int>(random() % 3);
            for (int k = 0; k < length && kind != 1; ++k)
                target.push_back(newLine());
            if (kind != 2)
                i += static_cast<std::size_t>(length);
            else
                target.push_back(source[i++]);
            continue;
        }
        target.push_back(source[i++]);
    }
    return target;
}

// 1 000 000 lines made by makeLine, about 0.5% of them changed in about 2 000 hunks.
void millionLinePair(const std::string& folder, const std::string& name, std::uint64_t seed,
                     std::string (*makeLine)(std::mt19937_64&, std::uint64_t))
{
    std::mt19937_64 random(seed);
    Lines source;
    for (std::uint64_t i = 0; i < 1000000; ++i)
        source.push_back(makeLine(random, i));
    std::uint64_t serial = 5000000;
    const Lines target = edited(source, 2000, random, [&] { return makeLine(random, serial++); });
    write(folder + "/" + name + "_a.txt", source);
    write(folder + "/" + name + "_b.txt", target);
    if (name == "big")
        write(folder + "/big_r.txt", edited(source, 2000, random, [&] { return makeLine(random, serial++); }, 10));
}

void stretchPair(const std::string& folder)
{
    std::mt19937_64 random(5);
    Lines source;
    for (std::uint64_t i = 0; i < 1000000; ++i)
        source.push_back(codeLine(random, i));
    std::uint64_t serial = 5000000;
    const auto newLine = [&] { return codeLine(random, serial++); };
    const std::size_t quarter = source.size() / 4;
    const Lines head(source.begin(), source.begin() + std::ptrdiff_t(quarter));
    const Lines tail(source.end() - std::ptrdiff_t(quarter), source.end());
    Lines target = edited(head, 1000, random, newLine);
    target.insert(target.end(), source.begin() + std::ptrdiff_t(quarter), source.end() - std::ptrdiff_t(quarter));
    const Lines editedTail = edited(tail, 1000, random, newLine);
    target.insert(target.end(), editedTail.begin(), editedTail.end());
    write(folder + "/stretch_a.txt", source);
    write(folder + "/stretch_b.txt", target);
}

void disjointPair(const std::string& folder)
{
    std::mt19937_64 random(2);
    Lines source;
    Lines target;
    for (std::uint64_t i = 0; i < 20000; ++i) {
        source.push_back("A " + codeLine(random, i));
        target.push_back("B " + codeLine(random, i));
    }
    write(folder + "/disjoint_a.txt", source);
    write(folder + "/disjoint_b.txt", target);
}

void repetitivePair(const std::string& folder)
{
    std::mt19937_64 random(3);
    Lines alphabet;
    for (std::uint64_t i = 0; i < 50; ++i)
        alphabet.push_back(codeLine(random, i));
    Lines source;
    for (int i = 0; i < 50000; ++i)
        source.push_back(alphabet[random() % alphabet.size()]);
    const Lines target = edited(source, 200, random, [&] { return alphabet[random() % alphabet.size()]; });
    write(folder + "/repetitive_a.txt", source);
    write(folder + "/repetitive_b.txt", target);
}

void longLinePair(const std::string& folder)
{
    std::mt19937_64 random(4);
    auto longLine = [&](std::uint64_t serial) {
        std::string line = std::to_string(serial);
        const std::size_t length = 10000 + random() % 5000;
        while (line.size() < length)
            line += " " + codeLine(random, serial);
        return line;
    };
    Lines source;
    for (std::uint64_t i = 0; i < 2000; ++i)
        source.push_back(longLine(i));
    std::uint64_t serial = 100000;
    const Lines target = edited(source, 10, random, [&] { return longLine(serial++); });
    write(folder + "/long_a.txt", source);
    write(folder + "/long_b.txt", target);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: engine_bench_pairs FOLDER\n";
        return 2;
    }
    const std::string folder = argv[1];
    millionLinePair(folder, "big", 1, codeLine);
    disjointPair(folder);
    repetitivePair(folder);
    longLinePair(folder);
    millionLinePair(folder, "tabbed", 5, tabbedLine);
    stretchPair(folder);
    return 0;
}
