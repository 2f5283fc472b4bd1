#pragma once

#include <string>
#include <vector>

namespace shell {

// The names given on the command line: source, target and result file.
struct StartupCommandLine {
    std::string firstName;
    std::string secondName;
    std::string thirdName;

    // Arguments that begin with "-" are switches and are skipped ('/' starts an absolute
    // path here). Each other non-empty argument fills the first empty name; of four or more
    // names the last one ends up as the third.
    static StartupCommandLine parse(const std::vector<std::string>& arguments);

    bool hasPair() const { return !firstName.empty() && !secondName.empty(); }
};

// When one of the two names is a file and the other a folder, the folder is replaced by the
// file of the same name in it: folder + "/f.txt" for ".../x/f.txt", else folder + "/x/f.txt",
// and so on up the file's path. Names that don't exist, or a pair of the same kind, stay.
void resolveFolderInPair(std::string& first, std::string& second);

} // namespace shell
