#include "core/file_form.h"

#include <vector>

#include "core/line_file.h"

namespace core {

std::string fileFormLabel(const LineFile& file)
{
    return file.encoding().label() + " \xC2\xB7 " + std::string(file.lineEndLabel());
}

std::string formDifference(const LineFile& source, const LineFile& target)
{
    const TextEncoding& a = source.encoding();
    const TextEncoding& b = target.encoding();
    std::vector<std::string> differing;
    if (a.kind != b.kind || a.legacyName != b.legacyName)
        differing.emplace_back("encoding");
    if (a.bom != b.bom)
        differing.emplace_back("BOM");
    if (source.lineEndLabel() != target.lineEndLabel())
        differing.emplace_back("line ends");
    if (differing.empty())
        return {};
    std::string aspects = differing.front();
    for (std::size_t k = 1; k < differing.size(); ++k)
        aspects += (k + 1 == differing.size() ? " and " : ", ") + differing[k];
    return "The texts are the same; the files differ in " + aspects + ": source " + fileFormLabel(source) + ", target "
           + fileFormLabel(target);
}

} // namespace core
