#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "core/change_notes.h"
#include "core/document_host.h"
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
    static constexpr const char* kDestinationNotFound = "Destination File Not Found!";
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
    bool loadAndCompare(const std::string& sourceName, const std::string& destinationName, LoadDone done = {});
    // Stops a running load at once: the previous pair stays and done hears Cancelled.
    void cancelLoad();
    // Whether a long save is being written beside the window (busy meanwhile).
    bool saving() const { return m_save != nullptr; }
    // Asks the running save to stop; it ends within a moment, its file as it was.
    void cancelSave();
    // How far the running load or save has come; null when none runs.
    const WorkProgress* workProgress() const { return m_load ? &m_load->progress : m_save; }
    void setResultFile(const std::string& name) { resultFile = name; }

    // Writes the rows of one side to name (empty: the file's own path). A file of the pair
    // that another program changed since it was read or saved is overwritten only when the
    // user says so; false when not written.
    bool saveRows(LineFile& file, const RowMap& rows, const std::string& name = {});
    // Overwrites the other file of the pair with this file's rows.
    void saveAsPair(LineFile& file);
    // Asks for an encoding and, once the unsaved edits are saved or given up, reads the file of
    // side again in it (the other file as well, as a rescan does).
    void reopenWithEncoding(int side);
    // Writes this side's rows to the result file named on the command line.
    bool saveAsResult(LineFile& file);

    LineFile& file(int side) { return side == kSourceSide ? source : destination; }
    RowMap& rows(int side) { return side == kSourceSide ? sourceRows : destinationRows; }
    int sideOf(const LineFile& file) const { return &file == &source ? kSourceSide : kDestinationSide; }
    // The file on disk is no longer the one this side read or last saved.
    bool changedOnDisk(int side) { return file(side).diskStamp() != DiskStamp::of(file(side).path()); }
    // Edit mode is on and this side is not read-only.
    bool isEditable(int side) const { return editMode && !(side == kSourceSide ? sourceReadOnly : destinationReadOnly); }
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

    // The members the views read.
    UndoStore undoStore;
    LineFile source;
    LineFile destination;
    RowMap sourceRows;
    RowMap destinationRows;
    bool firstComparison = true;
    std::string pendingFile;
    bool editMode = false;
    bool sourceReadOnly = false;
    bool destinationReadOnly = false;
    bool syncScroll = true;
    // A copy does not move on to the next difference, whatever MoveNext says: EasyJoin
    // moves on by itself.
    bool moveNextHeld = false;
    bool skipSavePrompt = false;
    FileChangeWatcher watcher { 2 };
    std::int32_t rowCount = 0;
    std::string resultFile;
    bool busy = false;
    // The last comparison matched lines only because blanks were ignored.
    bool blankDifference = false;

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

    framework::Services& m_services;
    DocumentHost& m_host;
    bool m_savedFontApplied = false;
    std::shared_ptr<PairLoadJob> m_load;
    WorkProgress* m_save = nullptr;
    LoadDone m_loadDone;
};

} // namespace core
