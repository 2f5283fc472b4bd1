#pragma once

#include <string>

namespace core {

class LineFile;

// How a loaded file is held on disk besides its text, as the user reads it: its encoding
// with its BOM and the style of its line ends, for example "UTF-16 LE BOM · CR LF".
std::string fileFormLabel(const LineFile& file);

// What tells two files of identical text apart, for the message beside "Files are
// identical!": the encoding, the BOM, the line ends; empty when nothing does.
std::string formDifference(const LineFile& source, const LineFile& target);

} // namespace core
