#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/merge_result_writer.h"
#include "framework/services.h"

class CMergeFrame;
namespace core {
class CMergeDoc;
struct MergeLoadJob;
}

namespace shell {

// The program as the merge window: `--merge BASE LOCAL REMOTE -o OUTPUT [-L LABEL]...`. It
// loads the three files into the merge document and shows the frame, at once when the load
// is large and runs beside it, and after the window has closed gives the exit status git's
// trustExitCode reads.
class MergeApp {
public:
    explicit MergeApp(framework::Services& services);
    ~MergeApp();

    // The arguments ask for the merge window rather than the compare window.
    static bool isMergeCommand(const std::vector<std::string>& arguments);

    // False with the reason in error when the arguments are wrong or a file cannot be read.
    bool start(const std::vector<std::string>& arguments, std::string& error);
    // Why a load that ran beside the window failed; empty when none did.
    const std::string& error() const { return m_error; }
    int exitStatus() const;

    CMergeFrame& frame() { return *m_frame; }
    core::CMergeDoc& document() { return *m_document; }

private:
    static constexpr const char* kNotLoaded = "bivalo: the merge could not be loaded";

    // Loads and shows the merge: a quick one before the window shows, as the window's first
    // picture; a large one beside the window, which is up at once.
    bool load(const std::shared_ptr<core::MergeLoadJob>& job, std::string& error);
    void goToFirstChange();

    framework::Services& m_services;
    std::unique_ptr<core::CMergeDoc> m_document;
    std::unique_ptr<CMergeFrame> m_frame;
    core::MergeLabels m_labels;
    std::string m_error;
};

} // namespace shell
