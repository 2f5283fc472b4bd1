#pragma once

#include <string>

namespace core {

// The folder of a path: the path up to its last '/'; empty when it has none.
inline std::string folderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// The file name of a path: what follows its last '/'.
inline std::string fileNameOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace core
