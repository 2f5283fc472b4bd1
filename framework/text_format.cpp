#include "framework/text_format.h"

namespace framework {

std::string formatText(std::string_view pattern, std::initializer_list<std::string_view> values)
{
    std::string result;
    auto value = values.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == 's' && value != values.end()) {
            result += *value++;
            ++i;
        } else {
            result += pattern[i];
        }
    }
    return result;
}

} // namespace framework
