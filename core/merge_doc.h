#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "core/merge_load_job.h"
#include "core/merge_result_writer.h"
#include "core/merge_session.h"
#include "framework/command_target.h"
#include "framework/document.h"
#include "framework/services.h"

namespace core {

// The merge document of the merge window: the three inputs, the merge session over them and
// OUTPUT, with undo, redo and saving. It tells its views of every change of the rows with
// hint Compared; a view then reads the session.
class CMergeDoc : public framework::Document, public framework::CommandTarget {
public:
    static constexpr const char* kFailedToCreate = "Failed to create file";
    static constexpr const char* kSaveResult = "The merge result was changed:\n%s\nDo you want to save it?";
    static constexpr const char* kConflictsLeft = "%s conflicts are left unresolved.\nClose the merge anyway?";
    static constexpr const char* kOneConflictLeft = "1 conflict is left unresolved.\nClose the merge anyway?";
    static constexpr const char* kOutOfMemory = "Not enough memory to merge these files:\n%s\n%s\n%s";

    explicit CMergeDoc(framework::Services& services);

    // Takes the files and the merge of a job that has run; false, with the trouble shown, when
    // a file could not be read or memory ran out, and without a word when the job was stopped.
    bool open(std::shared_ptr<MergeLoadJob> job, const MergeLabels& labels);
    // The files a load beside the window is reading: the columns name them meanwhile.
    void showLoading(const MergeFiles& files);
    bool loaded() const { return m_session != nullptr; }
    MergeSession& session() { return *m_session; }
    const MergeSession& session() const { return *m_session; }
    const MergeFiles& files() const { return m_files; }
    std::int32_t rowCount() const { return m_session ? m_session->rowCount() : 0; }

    // The changes the panes ask for; each tells the views and returns the row to show.
    std::optional<std::int32_t> take(std::int32_t row, MergeChoice choice);
    bool editLine(std::int32_t row, std::string_view text);
    void undo();
    void redo();
    // Writes the result to OUTPUT, atomically; false, with the trouble shown, when it failed.
    bool save();
    // 0 when OUTPUT was saved last with no conflict left, 1 otherwise: git's trustExitCode.
    int exitStatus() const { return m_savedWithoutConflicts ? 0 : 1; }

    // The commands that read or write the result take an open in-cell edit into its row first.
    void beforeCommand(framework::CommandId id) override;

    bool isModified() const override { return m_session && m_session->modified(); }
    bool saveModified() override;
    bool canCloseFrame() override;

private:
    void addCommands();
    void changed(std::optional<std::int32_t> row);
    bool mayCloseWithConflicts();

    framework::Services& m_services;
    std::shared_ptr<MergeLoadJob> m_inputs; // the files that the session reads
    MergeFiles m_files;
    MergeLabels m_labels;
    std::unique_ptr<MergeSession> m_session;
    bool m_savedWithoutConflicts = false;
};

} // namespace core
