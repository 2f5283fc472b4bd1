#pragma once

#include <random>
#include <string>

namespace random_driver {

// Two files made of the pieces that trouble byte-exact saving: tabs, blanks, trailing blanks,
// CR LF and LF mixed, lines longer than one piece, no final line end, empty files, identical
// files. The same seed gives the same pair.
struct NastyPair {
    std::string left;
    std::string right;
};

NastyPair makeNastyPair(unsigned seed);

// Another file made of the same pieces, for changes from outside; `mark` makes it differ.
std::string makeNastyFile(std::mt19937& random, const std::string& mark);

} // namespace random_driver
