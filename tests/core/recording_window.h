#pragma once

#include <vector>

#include "framework/messages.h"

namespace core_testing {

// Stands in for the main window: keeps every posted message in order.
struct RecordingWindow : framework::MessageTarget {
    struct Posted {
        framework::MessageId message;
        framework::WParam wParam;
        framework::LParam lParam;
        bool operator==(const Posted&) const = default;
    };
    std::vector<Posted> posted;

    void post(framework::MessageId message, framework::WParam wParam, framework::LParam lParam) override
    {
        posted.push_back({ message, wParam, lParam });
    }
    std::vector<framework::WParam> postedCommands() const
    {
        std::vector<framework::WParam> ids;
        for (const Posted& p : posted) {
            if (p.message == framework::WM_COMMAND)
                ids.push_back(p.wParam);
        }
        return ids;
    }
};

} // namespace core_testing
