#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/services.h"

class CMergeFrame;
namespace core {
class CMergeDoc;
}

namespace shell {

// The program as the merge window: `--merge BASE LOCAL REMOTE -o OUTPUT [-L LABEL]...`. It
// loads the three files into the merge document, shows the frame, and after the window has
// closed gives the exit status git's trustExitCode reads.
class MergeApp {
public:
    explicit MergeApp(framework::Services& services);
    ~MergeApp();

    // The arguments ask for the merge window rather than the compare window.
    static bool isMergeCommand(const std::vector<std::string>& arguments);

    // False with the reason in error when the arguments are wrong or a file cannot be read.
    bool start(const std::vector<std::string>& arguments, std::string& error);
    int exitStatus() const;

    CMergeFrame& frame() { return *m_frame; }
    core::CMergeDoc& document() { return *m_document; }

private:
    framework::Services& m_services;
    std::unique_ptr<core::CMergeDoc> m_document;
    std::unique_ptr<CMergeFrame> m_frame;
};

} // namespace shell
