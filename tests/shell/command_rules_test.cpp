#include <fstream>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "framework/command_ids.h"
#include "panes/table_view.h"
#include "shell/main_splitter.h"
#include "tests/shell/running_app.h"

namespace {

using framework::CommandId;
using framework::CommandTarget;
using testing_support::RunningApp;

using NamedId = std::pair<std::string, CommandId>;

// The command ids of framework/command_ids.h under each "Decided by" heading; ids above the
// first heading stand under "".
std::map<std::string, std::vector<NamedId>> idsByDecider()
{
    std::ifstream header(BIVALO_SOURCE_DIR "/framework/command_ids.h");
    EXPECT_TRUE(header.is_open());
    const std::string heading = "// ---- Decided by ";
    const std::string definition = "constexpr CommandId ";
    std::map<std::string, std::vector<NamedId>> sections;
    std::string section;
    for (std::string line; std::getline(header, line);) {
        if (line.starts_with(heading)) {
            section = line.substr(heading.size());
        } else if (line.starts_with(definition)) {
            const std::size_t equals = line.find(" = ");
            const std::string name = line.substr(definition.size(), equals - definition.size());
            sections[section].emplace_back(name, CommandId(std::stoul(line.substr(equals + 3))));
        }
    }
    return sections;
}

class CommandRules : public RunningApp {};

// The header's sections say which target's rule greys each command; with either pane
// active, the router must agree with them.
TEST_F(CommandRules, EveryIdStandsUnderTheTargetWhoseRuleDecidesIt)
{
    start({left, right});
    const auto sections = idsByDecider();
    ASSERT_GE(sections.size(), 4u);
    const framework::CommandRouter& router = frame().router();
    for (int paneIndex : {1, 2}) {
        auto* pane = static_cast<panes::CTableView*>(frame().splitter().widget(paneIndex));
        frame().activateView(pane);
        ASSERT_NE(router.activeView(), nullptr);
        const std::map<std::string, const CommandTarget*> deciders = {
            {"the active pane", router.activeView()},
            {"the document", &doc()},
            {"the main frame", &frame()},
            {"the application", app.get()},
            {"nobody", nullptr},
        };
        for (const auto& [section, ids] : sections) {
            const auto decider = deciders.find(section);
            ASSERT_NE(decider, deciders.end()) << "ids under no known heading: \"" << section << '"';
            for (const auto& [name, id] : ids)
                EXPECT_EQ(router.enableDecider(id), decider->second) << name << " under " << section;
        }
    }
}

} // namespace
