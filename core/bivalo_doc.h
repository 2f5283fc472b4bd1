#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "core/change_notes.h"
#include "core/document_host.h"
#include "core/easy_join_walk.h"
#include "core/edit_pair.h"
#include "core/file_change_watcher.h"
#include "core/line_file.h"
#include "core/pair_load_job.h"
#include "core/row_map.h"
#include "core/side.h"
#include "core/undo_store.h"
#include "framework/command_target.h"
#include "framework/document.h"
#include "framework/services.h"

namespace core {

// The compare document: the pair of files, their comparison, the undo store and the flags
// that govern editing, with the commands that act on the pair as a whole. It talks to its
// views only through update hints.
class CBivaloDoc : public framework::Document, public framework::CommandTarget, public ChangeNotes {
public:
    static constexpr const char* kSourceNotFound = "Source File Not Found!";
    static constexpr const char* kTargetNotFound = "Destination File Not Found!";
    static constexpr const char* kFailedToCreate = "Failed to create file";
    static constexpr const char* kOutOfMemory = "Not enough memory to compare these files:\n%s\n%s";
    static constexpr const char* kSaveChangedFile = "This file was changed:\n%s\nDo you want to save it?";
    static constexpr const char* kOverwriteOutsideChange =
        "This file was changed by another program since it was read:\n%s\nOverwrite it?";
    static constexpr const char* kOverwritePair =
        "You are about to OVERWRITE file \n%s\n with file \n%s\n\nDo you want to quit Bivalo afterwards?";
    static constexpr const char* kUnencodable =
        "Line %s of\n%s\nholds a character that %s cannot hold.\nSave this file as UTF-8 instead?";
    static constexpr const char* kReopenTitle = "Reopen %s with the encoding:";
    static constexpr const char* kUnknownEncoding = "Unknown encoding: %s";
    static constexpr const char* kRescanNow = "Do you want to rescan files now?";
    static constexpr const char* kSelectFirstFile = "Select first file";
    static constexpr const char* kSelectPairFor = "Select pair for : ";

    // From this many rows on a save is written beside the window and can be cancelled.
    static constexpr std::int32_t kRowsSavedBeside = 200000;

    CBivaloDoc(framework::Services& services, DocumentHost& host);
    CBivaloDoc(const CBivaloDoc&) = delete;
    CBivaloDoc& operator=(const CBivaloDoc&) = delete;

    using LoadDone = std::function<void(LoadOutcome)>;
    // Loads both files and compares them, a large pair beside the window (the host's
    // runBeside), busy meanwhile; done hears how it ended. When a file cannot be loaded, the
    // load is cancelled or memory runs out, the previous pair, its comparison and its undo
    // records stay exactly as they were. True when the pair was opened before the call
    // returned; a load that goes on beside the window returns false and tells done.
    bool loadAndCompare(const std::string& sourceName, const std::string& targetName, LoadDone done = {});
    // Stops a running load at once (the previous pair stays and done hears Cancelled), or
    // asks a running save to stop: it ends within a moment, its file as it was.
    void cancelWork();
    // Whether a long save is being written beside the window (busy meanwhile).
    bool saving() const { return m_save != nullptr; }
    // How far the running load or save has come; null when none runs.
    const WorkProgress* workProgress() const { return m_load ? &m_load->progress : m_save; }
    void setResultFile(const std::string& name) { m_resultFile = name; }

    // Writes the rows of one side to name (empty: the file's own path). A file of the pair
    // that another program changed since it was read or saved is overwritten only when the
    // user says so; false when not written.
    bool saveRows(const LineFile& file, const RowMap& rows, const std::string& name = {});
    // Overwrites the other file of the pair with this file's rows.
    void saveAsPair(const LineFile& file);
    // Asks for an encoding and, once the unsaved edits are saved or given up, reads the file of
    // side again in it (the other file as well, as a rescan does).
    void reopenWithEncoding(int side);
    // Writes this side's rows to the result file named on the command line.
    bool saveAsResult(const LineFile& file);

    const LineFile& file(int side) const { return side == kSourceSide ? m_source : m_destination; }
    const RowMap& rows(int side) const { return side == kSourceSide ? m_sourceRows : m_destinationRows; }
    int sideOf(const LineFile& file) const { return &file == &m_source ? kSourceSide : kTargetSide; }
    // The file on disk is no longer the one this side read or last saved.
    bool changedOnDisk(int side) const { return file(side).diskStamp() != DiskStamp::of(file(side).path()); }
    // Edit mode is on and this side is not read-only.
    bool isEditable(int side) const { return m_editMode && !isReadOnly(side); }
    bool isReadOnly(int side) const { return side == kSourceSide ? m_sourceReadOnly : m_destinationReadOnly; }
    // The state the row editing of the panes works on.
    EditPair editPair();

    void noteChange(Sides sides, ChangeStep step) override;
    // The commands that read or write the rows take an open in-cell edit into its row first.
    void beforeCommand(framework::CommandId id) override;
    // A pane of this side holds an open in-cell edit whose text differs from its row.
    bool hasChangedEdit(int side);

    bool isModified() const override { return framework::Document::isModified(); }
    void setModifiedFlag(bool modified) override;
    bool canCloseFrame() override;
    bool saveModified() override;
    void onIdle() override;

    // What the views and the frame read; the document alone changes it.
    const UndoStore& undoStore() const { return m_undoStore; }
    const LineFile& source() const { return m_source; }
    const LineFile& destination() const { return m_destination; }
    const RowMap& sourceRows() const { return m_sourceRows; }
    const RowMap& destinationRows() const { return m_destinationRows; }
    std::int32_t rowCount() const { return m_rowCount; }
    bool firstComparison() const { return m_firstComparison; }
    const std::string& pendingFile() const { return m_pendingFile; }
    bool editMode() const { return m_editMode; }
    bool sourceReadOnly() const { return m_sourceReadOnly; }
    bool destinationReadOnly() const { return m_destinationReadOnly; }
    bool syncScroll() const { return m_syncScroll; }
    bool moveNextHeld() const { return m_moveNextHeld; }
    bool skipSavePrompt() const { return m_skipSavePrompt; }
    const std::string& resultFile() const { return m_resultFile; }
    // Changes with every change of the rows: a load, an edit, an undo.
    std::uint64_t rowsRevision() const { return m_rowsRevision; }
    bool busy() const { return m_busy; }
    bool blankDifference() const { return m_blankDifference; }
    // The frame tells the watcher when the application is activated.
    FileChangeWatcher& watcher() { return m_watcher; }

    void setPendingFile(const std::string& name) { m_pendingFile = name; }
    void setEditMode(bool on) { m_editMode = on; }
    void setReadOnly(int side, bool readOnly)
    {
        (side == kSourceSide ? m_sourceReadOnly : m_destinationReadOnly) = readOnly;
    }
    void setSkipSavePrompt(bool skip) { m_skipSavePrompt = skip; }
    // The EasyJoin walk over this document: it holds edit mode on and MoveNext off for its
    // life.
    EasyJoinWalk easyJoinWalk(framework::Services& services, EasyJoinWalk::Dialog& dialog);

private:
    void addCommands();
    void addSaveCommands();
    void addEnableOnlyAnswers();

    void compareFiles();
    void rescan();
    void copy(int direction, int hint);
    void undo();
    void saveSide(int side);
    void saveAll();
    void chooseFont();
    void runOptions();
    void runAlternateTool();

    void finishLoad(const std::shared_ptr<PairLoadJob>& job);
    void takePair(PairLoadJob& job);
    void beginBusy();
    void endBusy();
    void applySavedFontOnce();
    void watchPair();
    bool askToSave(LineFile& file, RowMap& rows, framework::MessageAnswer& answer);
    LineFile* loadedFileAt(LineFile& saved, const std::string& path);
    bool mayOverwrite(LineFile& loaded);
    bool writeRows(LineFile& file, const RowMap& rows, const std::string& path);
    enum class WriteOutcome { Written, Failed, Cancelled };
    WriteOutcome writeFile(const LineFile& file, const RowMap& rows, const std::string& path,
                           std::int32_t& unencodableLine);
    void noteWritten(LineFile& loaded);
    // The settings' options for reading, comparing, editing and saving, as they are now.
    TextOptions textOptions() const;
    void postCommand(framework::CommandId id);
    void notice(const std::string& text);

    LineFile& writableFile(int side) { return side == kSourceSide ? m_source : m_destination; }

    UndoStore m_undoStore;
    LineFile m_source;
    LineFile m_destination;
    RowMap m_sourceRows;
    RowMap m_destinationRows;
    bool m_firstComparison = true;
    std::string m_pendingFile;
    bool m_editMode = false;
    bool m_sourceReadOnly = false;
    bool m_destinationReadOnly = false;
    bool m_syncScroll = true;
    // A copy does not move on to the next difference, whatever MoveNext says: EasyJoin
    // moves on by itself.
    bool m_moveNextHeld = false;
    bool m_skipSavePrompt = false;
    FileChangeWatcher m_watcher { 2 };
    std::int32_t m_rowCount = 0;
    std::string m_resultFile;
    bool m_busy = false;
    std::uint64_t m_rowsRevision = 0;
    // The last comparison matched lines only because blanks were ignored.
    bool m_blankDifference = false;
    framework::Services& m_services;
    DocumentHost& m_host;
    bool m_savedFontApplied = false;
    std::shared_ptr<PairLoadJob> m_load;
    WorkProgress* m_save = nullptr;
    LoadDone m_loadDone;
};

} // namespace core
