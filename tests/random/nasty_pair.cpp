#include "tests/random/nasty_pair.h"

#include <array>
#include <string_view>
#include <vector>

namespace random_driver {
namespace {

std::size_t below(std::mt19937& random, std::size_t n)
{
    return random() % n;
}

// Few distinct words, so that the two files share lines and the comparison aligns them.
std::string nastyLine(std::mt19937& random)
{
    static constexpr std::array<std::string_view, 12> pieces{
        "\t", " ", "  ", "    ", "alpha", "beta", "gamma", "x", "a\tb", "{", "}", "  \t "};
    std::string text;
    if (below(random, 25) == 0) {
        // Across the piece size, with tabs and blanks near the cuts.
        text.assign(4990 + below(random, 20), static_cast<char>('a' + below(random, 3)));
        text.insert(below(random, text.size()), "\t");
        text.append(below(random, 2) == 0 ? std::string(below(random, 5000), ' ') : std::string(below(random, 6000), 'z'));
    }
    for (std::size_t k = below(random, 5); k > 0; --k)
        text += pieces[below(random, pieces.size())];
    return text;
}

std::string lineEnd(std::mt19937& random, bool mostlyCrLf)
{
    return below(random, 4) == 0 ? (mostlyCrLf ? "\n" : "\r\n") : (mostlyCrLf ? "\r\n" : "\n");
}

std::string fileOf(const std::vector<std::string>& lines, std::mt19937& random)
{
    const bool mostlyCrLf = below(random, 2) == 0;
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + lineEnd(random, mostlyCrLf);
    // Blank lines at the end, and maybe no final line end.
    static constexpr std::array<std::string_view, 4> blanks{"", "  ", "\t", " \t "};
    for (std::size_t k = below(random, 5); k > 2; --k)
        bytes += std::string(blanks[below(random, blanks.size())]) + lineEnd(random, mostlyCrLf);
    if (!bytes.empty() && below(random, 3) == 0)
        bytes.resize(bytes.size() - (bytes.ends_with("\r\n") ? 2 : 1));
    return bytes;
}

std::vector<std::string> nastyLines(std::mt19937& random)
{
    std::vector<std::string> lines;
    for (std::size_t k = below(random, 30); k > 0; --k)
        lines.push_back(nastyLine(random));
    return lines;
}

// The other file: the same lines with some changed, dropped and added.
std::vector<std::string> variantOf(std::vector<std::string> lines, std::mt19937& random)
{
    for (std::size_t k = below(random, 8); k > 0; --k) {
        const std::size_t at = lines.empty() ? 0 : below(random, lines.size() + 1);
        switch (below(random, 3)) {
        case 0:
            lines.insert(lines.begin() + long(at), nastyLine(random));
            break;
        case 1:
            if (at < lines.size())
                lines.erase(lines.begin() + long(at));
            break;
        default:
            if (at < lines.size())
                lines[at] += below(random, 2) == 0 ? " " : "q";
            break;
        }
    }
    return lines;
}

} // namespace

NastyPair makeNastyPair(unsigned seed)
{
    std::mt19937 random(seed);
    const std::vector<std::string> lines = nastyLines(random);
    NastyPair pair;
    pair.left = fileOf(lines, random);
    switch (below(random, 8)) {
    case 0:
        pair.right = pair.left;
        break;
    case 1:
        pair.right.clear();
        break;
    case 2:
        pair.right = pair.left;
        pair.left.clear();
        break;
    default:
        pair.right = fileOf(variantOf(lines, random), random);
        break;
    }
    return pair;
}

std::string makeNastyFile(std::mt19937& random, const std::string& mark)
{
    std::vector<std::string> lines = nastyLines(random);
    lines.insert(lines.begin() + long(lines.empty() ? 0 : below(random, lines.size())), mark);
    return fileOf(lines, random);
}

} // namespace random_driver
