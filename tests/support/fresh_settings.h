#pragma once

#include "settings/app_settings.h"

namespace testing_support {

// The program's default options for the life of a test and again after it, whatever the
// test changed: no test sees another's options.
class FreshSettings {
public:
    FreshSettings() { settings::appSettings() = settings::AppSettings(); }
    ~FreshSettings() { settings::appSettings() = settings::AppSettings(); }
    FreshSettings(const FreshSettings&) = delete;
    FreshSettings& operator=(const FreshSettings&) = delete;
};

} // namespace testing_support
