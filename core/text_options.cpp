#include "core/text_options.h"

#include "settings/app_settings.h"

namespace core {

TextOptions textOptionsOf(const settings::AppSettings& settings)
{
    return {.tabSize = settings.TabSize,
            .ignoreBlanks = settings.IgnoreBlanks != 0,
            .useTab = settings.UseTab != 0,
            .legacyEncoding = settings.LegacyEncoding};
}

} // namespace core
