#include "core/bivalo_doc.h"

#include <algorithm>
#include <cassert>
#include <cerrno>
#include <filesystem>
#include <iterator>
#include <system_error>

#include "core/alternate_tool.h"
#include "core/changed_edits.h"
#include "core/copy_request.h"
#include "core/file_saver.h"
#include "core/path_parts.h"
#include "core/row_change.h"
#include "core/row_editor.h"
#include "core/undone_row.h"
#include "framework/command_ids.h"
#include "framework/text_format.h"
#include "framework/update_hints.h"
#include "settings/app_settings.h"

namespace core {

namespace {

using framework::CommandUI;
using framework::MessageAnswer;
using framework::MessageButtons;
using framework::MessageIcon;

// The full path of an existing file; other names stay as given.
std::string resolveName(const std::string& name)
{
    std::error_code error;
    if (name.empty() || !std::filesystem::exists(name, error))
        return name;
    const auto full = std::filesystem::absolute(name, error);
    return error ? name : full.lexically_normal().string();
}

// A message's fixed first line, then the file and the system's reason when one is known.
std::string withReason(const char* message, const std::string& path, int error)
{
    std::string text = std::string(message) + "\n" + path;
    if (error != 0)
        text += "\n" + std::generic_category().message(error);
    return text;
}

// The commands that read or write the rows and do not store the edit on their way: the
// copies between the panes do (copy), so do rescan, compare and exit (saveModified), and
// so do find and the row clipboard, which the panes' keys reach without a command.
bool readsRows(framework::CommandId id)
{
    using namespace framework;
    static constexpr CommandId kCommands[] = {
        ID_FILE_SAVE_ALL, ID_SAVE_SOURCE, ID_SAVE_TARGET, ID_FILE_SAVE_AS, ID_SAVE_AS_PAIR, ID_SAVE_AS_RESULT,
        ID_COPY_DIFF, ID_EASY_JOIN,
    };
    return std::ranges::find(kCommands, id) != std::end(kCommands);
}

} // namespace

CBivaloDoc::CBivaloDoc(framework::Services& services, DocumentHost& host)
    : m_services(services), m_host(host)
{
    addCommands();
    addSaveCommands();
    addEnableOnlyAnswers();
}

void CBivaloDoc::addCommands()
{
    using namespace framework;
    const auto whenRows = [this](CommandUI& ui) { ui.enable(m_rowCount > 0); };

    onCommand(ID_COMPARE_FILES, [this] { compareFiles(); });
    onCommand(ID_RESCAN, [this] { rescan(); });
    onEnable(ID_RESCAN, whenRows);
    onCommand(ID_COPY_LINE_TO_TARGET, [this] { copy(CopyRequest::kIntoTarget, kHintCopyLine); });
    onCommand(ID_COPY_DIFF_TO_TARGET, [this] { copy(CopyRequest::kIntoTarget, kHintCopyDifference); });
    onCommand(ID_COPY_LINE_TO_SOURCE, [this] { copy(CopyRequest::kIntoSource, kHintCopyLine); });
    onCommand(ID_COPY_DIFF_TO_SOURCE, [this] { copy(CopyRequest::kIntoSource, kHintCopyDifference); });
    for (const CommandId id : { ID_COPY_LINE_TO_TARGET, ID_COPY_DIFF_TO_TARGET, ID_COPY_LINE_TO_SOURCE, ID_COPY_DIFF_TO_SOURCE })
        onEnable(id, [this, id](CommandUI& ui) { ui.enable(m_host.offers(id)); });
    onCommand(ID_ALTERNATE_TOOL, [this] { runAlternateTool(); });
    onEnable(ID_ALTERNATE_TOOL, whenRows);
    onCommand(ID_UNDO, [this] { undo(); });
    onCommand(ID_OPTIONS, [this] { runOptions(); });
    onEnable(ID_OPTIONS, [this](CommandUI& ui) { ui.enable(m_host.offers(ID_OPTIONS)); });
    onCommand(ID_FONT, [this] { chooseFont(); });
    onCommand(ID_HIDDEN, [this] {
        auto& hidden = settings::appSettings().Hidden;
        hidden = hidden ? 0 : 1;
        updateAllViews(nullptr, kHintRowsChanged);
    });
    onEnable(ID_HIDDEN, [](CommandUI& ui) { ui.setCheck(settings::appSettings().Hidden != 0); });
    onCommand(ID_EASY_JOIN, [this] { m_host.runEasyJoin(); });
    onEnable(ID_EASY_JOIN, [this](CommandUI& ui) { ui.enable(m_rowCount > 0 && m_host.offers(ID_EASY_JOIN)); });
    onCommand(ID_NO_SYNC, [this] {
        m_syncScroll = !m_syncScroll;
        if (m_syncScroll)
            updateAllViews(nullptr, kHintResync);
    });
    onEnable(ID_NO_SYNC, [this](CommandUI& ui) { ui.setCheck(!m_syncScroll); });
}

void CBivaloDoc::addSaveCommands()
{
    using namespace framework;
    // What is being typed counts as a change: the command stores it before it saves.
    const auto whenChanged = [this](int side) {
        return [this, side](CommandUI& ui) { ui.enable(file(side).changes() != 0 || hasChangedEdit(side)); };
    };
    onCommand(ID_SAVE_SOURCE, [this] { saveSide(kSourceSide); });
    onEnable(ID_SAVE_SOURCE, whenChanged(kSourceSide));
    onCommand(ID_SAVE_TARGET, [this] { saveSide(kTargetSide); });
    onEnable(ID_SAVE_TARGET, whenChanged(kTargetSide));
    onCommand(ID_FILE_SAVE_ALL, [this] { saveAll(); });
    onEnable(ID_FILE_SAVE_ALL, [this](CommandUI& ui) {
        ui.enable(isModified() || hasChangedEdit(kSourceSide) || hasChangedEdit(kTargetSide));
    });
}

// The panes carry these out; the document only says when they make sense.
void CBivaloDoc::addEnableOnlyAnswers()
{
    using namespace framework;
    for (const CommandId id : { ID_NEXT_DIFF, ID_PREV_DIFF, ID_EDIT_MODE, ID_FILE_SAVE_AS })
        onEnable(id, [this, id](CommandUI& ui) { ui.enable(m_rowCount > 0 && m_host.offers(id)); });
    onEnable(ID_SAVE_AS_RESULT, [this](CommandUI& ui) { ui.enable(!m_resultFile.empty()); });
    onEnable(ID_REOPEN_WITH_ENCODING, [this](CommandUI& ui) { ui.enable(m_rowCount > 0); });
}

bool CBivaloDoc::loadAndCompare(const std::string& sourceName, const std::string& targetName, LoadDone done)
{
    beginBusy();
    applySavedFontOnce();
    m_host.dispatchPendingMessages();

    const auto job = std::make_shared<PairLoadJob>(resolveName(sourceName), resolveName(targetName), textOptions());
    // An encoding chosen for a file holds while that file is read again.
    if (job->sourcePath == m_source.path())
        job->source.chooseEncoding(m_source.chosenEncoding());
    if (job->targetPath == m_destination.path())
        job->target.chooseEncoding(m_destination.chosenEncoding());
    m_load = job;
    m_loadDone = std::move(done);
    if (job->isQuick()) {
        job->run();
        finishLoad(job);
    } else {
        m_host.runBeside([job] { job->run(); }, [this, job] { finishLoad(job); });
    }
    return !m_busy && job->outcome == LoadOutcome::Opened;
}

void CBivaloDoc::cancelWork()
{
    // A save reads the rows until it stops, a moment later: it ends by itself.
    if (m_save != nullptr)
        m_save->cancel();
    if (!m_load)
        return;
    // The load stops by itself within a moment; its end is no longer awaited.
    m_load->progress.cancel();
    m_load.reset();
    endBusy();
    if (const LoadDone done = std::exchange(m_loadDone, {}))
        done(LoadOutcome::Cancelled);
}

void CBivaloDoc::finishLoad(const std::shared_ptr<PairLoadJob>& job)
{
    if (job != m_load)
        return;
    m_load.reset();
    const LoadDone done = std::exchange(m_loadDone, {});
    switch (job->outcome) {
    case LoadOutcome::Opened:
        takePair(*job);
        endBusy();
        break;
    case LoadOutcome::NotLoaded: {
        endBusy();
        const bool sourceFailed = !job->loaded.sourceLoaded;
        const LineFile& failed = sourceFailed ? job->source : job->target;
        notice(withReason(sourceFailed ? kSourceNotFound : kTargetNotFound, failed.path(), failed.loadError()));
        break;
    }
    case LoadOutcome::OutOfMemory:
        endBusy();
        notice(framework::formatText(kOutOfMemory, { job->sourcePath, job->targetPath }));
        break;
    case LoadOutcome::Cancelled:
        endBusy();
        break;
    }
    if (done)
        done(job->outcome);
}

void CBivaloDoc::takePair(PairLoadJob& job)
{
    m_undoStore.clearUndo();
    m_source = std::move(job.source);
    m_destination = std::move(job.target);
    ++m_rowsRevision;
    m_sourceRows = std::move(job.result.sourceRows);
    m_destinationRows = std::move(job.result.destinationRows);
    m_rowCount = job.result.rowCount;
    m_blankDifference = job.result.blankDifference;

    if (settings::appSettings().EditDefault)
        m_editMode = true;
    updateAllViews(nullptr, framework::kHintCompared);
    updateAllViews(nullptr, framework::kHintActivateSource);
    m_host.focusActiveView();
    m_firstComparison = false;
    watchPair();
}

void CBivaloDoc::beginBusy()
{
    assert(!m_busy);
    m_busy = true;
    m_services.setWaitCursor(true);
}

void CBivaloDoc::endBusy()
{
    m_busy = false;
    m_services.setWaitCursor(false);
    m_host.workEnded();
}

void CBivaloDoc::applySavedFontOnce()
{
    if (m_savedFontApplied)
        return;
    m_savedFontApplied = true;
    auto& settings = settings::appSettings();
    if (settings.FontValid && m_host.createFont(settings.Font))
        updateAllViews(nullptr, framework::kHintSetFont, &settings.Font);
}

void CBivaloDoc::watchPair()
{
    m_watcher.SetTarget(&m_host.mainWindow(), framework::WM_FILE_CHANGED, 1);
    m_watcher.SetFile(kSourceSide, m_source.path());
    m_watcher.SetFile(kTargetSide, m_destination.path());
    m_watcher.Start();
    // The files as read: a write during the comparison is news too.
    for (const int side : { kSourceSide, kTargetSide }) {
        if (const auto& stamp = file(side).diskStamp())
            m_watcher.Record(side, *stamp);
    }
}

void CBivaloDoc::compareFiles()
{
    if (!saveModified())
        return;
    auto& settings = settings::appSettings();
    framework::FileDialogRequest request;
    request.mustExist = true;
    request.filter = settings.GetFilterString();
    request.showReadOnly = true;
    request.folderPanel = true;
    request.filterIndex = settings.Filters.current();

    std::string firstFile = m_pendingFile;
    std::string firstChosenName;
    // The flags change only when both files are chosen: a Cancel leaves them alone.
    bool firstReadOnly = false;
    if (firstFile.empty()) {
        request.title = kSelectFirstFile;
        request.folder = settings.Dirs.FindPartner().value_or(settings.SrcDir);
        const auto first = m_services.fileDialog(request);
        if (!first)
            return;
        firstFile = first->path;
        firstChosenName = fileNameOf(first->path);
        firstReadOnly = first->readOnly;
        request.filterIndex = first->filterIndex;
    }

    const std::string firstFolder = folderOf(firstFile);
    request.title = kSelectPairFor + firstFile;
    request.folder = settings.Dirs.FindPartner(firstFolder).value_or(firstFolder);
    request.fileName = firstChosenName;
    const auto second = m_services.fileDialog(request);
    // The dropped file is used for this pair only, whatever the answer.
    m_pendingFile.clear();
    if (!second)
        return;
    settings.Filters.setCurrent(second->filterIndex);
    m_sourceReadOnly = firstReadOnly;
    m_destinationReadOnly = second->readOnly;
    if (!m_services.isShiftDown())
        settings.Dirs.AddPair(firstFolder, folderOf(second->path));
    loadAndCompare(firstFile, second->path);
}

void CBivaloDoc::rescan()
{
    // The row stored here is restored once the load is over, which may be later.
    const auto currentRow = std::make_shared<std::int32_t>(0);
    updateAllViews(nullptr, framework::kHintStoreRow, currentRow.get());
    if (!m_skipSavePrompt && !saveModified())
        return;
    m_skipSavePrompt = false;
    // Copies: a load replaces the files whose paths these are.
    const std::string sourcePath = m_source.path();
    const std::string targetPath = m_destination.path();
    loadAndCompare(sourcePath, targetPath, [this, currentRow](LoadOutcome) {
        updateAllViews(nullptr, framework::kHintRestoreRow, currentRow.get());
        updateAllViews(nullptr, framework::kHintRescanned);
    });
}

void CBivaloDoc::reopenWithEncoding(int side)
{
    static const std::vector<std::string> kEncodings{
        "UTF-8",        "UTF-16LE",    "UTF-16BE",     "UTF-32LE",     "UTF-32BE",   "WINDOWS-1252",
        "ISO-8859-1",   "ISO-8859-15", "ISO-8859-2",   "WINDOWS-1250", "ISO-8859-5", "WINDOWS-1251",
        "KOI8-R",       "ISO-8859-7",  "WINDOWS-1253", "ISO-8859-9",   "WINDOWS-1254", "CP437",
    };
    const TextEncoding& current = file(side).encoding();
    std::string name = current.kind == EncodingKind::Legacy ? current.legacyName : current.iconvName();
    if (!m_services.chooseItem(framework::formatText(kReopenTitle, { file(side).path() }), kEncodings, name))
        return;
    const std::optional<TextEncoding> chosen = encodingNamed(name);
    if (!chosen) {
        notice(framework::formatText(kUnknownEncoding, { name }));
        return;
    }
    if (!saveModified())
        return;
    writableFile(side).chooseEncoding(chosen);
    m_skipSavePrompt = true;
    rescan();
}

void CBivaloDoc::copy(int direction, int hint)
{
    CopyRequest request;
    request.direction = direction;
    request.hint = hint;
    if (direction == CopyRequest::kIntoSource) {
        if (m_sourceReadOnly)
            return;
        request.from = &m_destination;
        request.rows = &m_destinationRows;
    } else {
        if (m_destinationReadOnly)
            return;
        request.from = &m_source;
        request.rows = &m_sourceRows;
    }
    // What was typed into a cell is part of what is copied, and of what is replaced.
    updateAllViews(nullptr, framework::kHintFinishEditing);
    updateAllViews(nullptr, hint, &request);
    if (!settings::appSettings().MoveNext || m_moveNextHeld)
        return;
    if (hint == framework::kHintCopyLine) {
        std::int32_t moved = 0;
        updateAllViews(nullptr, framework::kHintMoveToNextDiffRow, &moved);
        if (moved)
            return;
    }
    postCommand(framework::ID_NEXT_DIFF);
}

void CBivaloDoc::undo()
{
    updateAllViews(nullptr, framework::kHintFinishEditing);
    UndoRecord* record = m_undoStore.popUndo();
    if (record == nullptr)
        return;
    // Records of no known side (type 2, or a pane that is gone) are dropped.
    if (record->side != kSourceSide && record->side != kTargetSide)
        return;
    const int type = record->type;
    const int rows = record->countB;
    const RowEditResult result = applyUndo(editPair(), *record);
    if (!result.done)
        return;
    if (result.removedGridRow >= 0) {
        RowChange removed { result.removedGridRow, result.gridRowCount, true };
        updateAllViews(nullptr, framework::kHintRemoveRow, &removed);
    } else if (result.insertedGridRow >= 0) {
        RowChange inserted { result.insertedGridRow, result.gridRowCount, true };
        updateAllViews(nullptr, framework::kHintInsertRow, &inserted);
    } else if (type == kRowsPasted) {
        // The pasted rows go from the row maps; the grids follow through the row count.
        RowChange removed { record->row, rows, false };
        updateAllViews(nullptr, framework::kHintRemoveRow, &removed);
    }
    updateAllViews(nullptr, framework::kHintRowsChanged);
    updateAllViews(nullptr, framework::kHintModifiedChanged);
    UndoneRow undone { record->side, result.currentRow >= 0 ? result.currentRow : record->row };
    updateAllViews(nullptr, framework::kHintUndone, &undone);
}

EasyJoinWalk CBivaloDoc::easyJoinWalk(framework::Services& services, EasyJoinWalk::Dialog& dialog)
{
    return EasyJoinWalk(m_sourceReadOnly, m_destinationReadOnly, m_editMode, m_moveNextHeld, services, dialog);
}

EditPair CBivaloDoc::editPair()
{
    EditPair pair;
    pair.files[kSourceSide] = &m_source;
    pair.files[kTargetSide] = &m_destination;
    pair.rows[kSourceSide] = &m_sourceRows;
    pair.rows[kTargetSide] = &m_destinationRows;
    pair.rowCount = &m_rowCount;
    pair.undoStore = &m_undoStore;
    pair.notes = this;
    pair.options = textOptions();
    return pair;
}

void CBivaloDoc::noteChange(Sides sides, ChangeStep step)
{
    ++m_rowsRevision;
    if (sides != Sides::Target)
        stepChanges(m_source, step);
    if (sides != Sides::Source)
        stepChanges(m_destination, step);
    const bool onDisk = m_source.changes() == 0 && m_destination.changes() == 0;
    // An undo past a save makes a file differ from disk again, also after the flag was
    // cleared: without the flag nothing would ask to save it.
    if (step == ChangeStep::Up || (!onDisk && !isModified()))
        setModifiedFlag(true);
    else if (onDisk)
        setModifiedFlag(false);
}

void CBivaloDoc::beforeCommand(framework::CommandId id)
{
    if (readsRows(id))
        updateAllViews(nullptr, framework::kHintFinishEditing);
}

bool CBivaloDoc::hasChangedEdit(int side)
{
    ChangedEdits edits;
    updateAllViews(nullptr, framework::kHintChangedEdits, &edits);
    return edits.sides[side];
}

void CBivaloDoc::setModifiedFlag(bool modified)
{
    framework::Document::setModifiedFlag(modified);
    updateAllViews(nullptr, framework::kHintModifiedChanged);
}

bool CBivaloDoc::canCloseFrame()
{
    return !m_busy && framework::Document::canCloseFrame();
}

bool CBivaloDoc::saveModified()
{
    updateAllViews(nullptr, framework::kHintFinishEditing);
    if (!isModified())
        return true;
    MessageAnswer answer = MessageAnswer::No;
    bool anyChanges = false;
    if (m_source.changes() != 0) {
        anyChanges = true;
        if (!askToSave(m_source, m_sourceRows, answer))
            return false;
    }
    if (answer != MessageAnswer::Cancel && m_destination.changes() != 0) {
        anyChanges = true;
        if (!askToSave(m_destination, m_destinationRows, answer))
            return false;
    }
    if (!anyChanges)
        setModifiedFlag(false);
    return answer != MessageAnswer::Cancel;
}

// False when the user cancels or the file could not be saved: the caller must not go on
// to replace or drop the changes.
bool CBivaloDoc::askToSave(LineFile& file, RowMap& rows, MessageAnswer& answer)
{
    answer = m_services.messageBox(framework::formatText(kSaveChangedFile, { file.path() }), MessageButtons::YesNoCancel,
                                   MessageIcon::Question);
    if (answer == MessageAnswer::Cancel)
        return false;
    return answer != MessageAnswer::Yes || saveRows(file, rows);
}

void CBivaloDoc::onIdle()
{
    updateAllViews(nullptr, framework::kHintIdle);
}

bool CBivaloDoc::saveRows(const LineFile& saved, const RowMap& rows, const std::string& name)
{
    LineFile& file = writableFile(sideOf(saved));
    assert(&file == &saved);
    const std::string& path = name.empty() ? file.path() : name;
    LineFile* const overwritten = loadedFileAt(file, path);
    if (overwritten != nullptr && !mayOverwrite(*overwritten))
        return false;
    if (!writeRows(file, rows, path))
        return false;
    file.setChanges(0);
    if (overwritten != nullptr)
        noteWritten(*overwritten);
    updateAllViews(nullptr, framework::kHintModifiedChanged);
    return true;
}

// A line the file's encoding cannot hold is never written otherwise: the user may have
// the file written as UTF-8, which holds every character, or nothing written.
bool CBivaloDoc::writeRows(LineFile& file, const RowMap& rows, const std::string& path)
{
    std::int32_t unencodableLine = 0;
    const WriteOutcome outcome = writeFile(file, rows, path, unencodableLine);
    if (outcome != WriteOutcome::Failed)
        return outcome == WriteOutcome::Written;
    if (unencodableLine == 0) {
        notice(withReason(kFailedToCreate, path, errno));
        return false;
    }
    const TextEncoding kept = file.encoding();
    const std::string question =
        framework::formatText(kUnencodable, { std::to_string(unencodableLine), path, kept.label() });
    if (m_services.messageBox(question, MessageButtons::OkCancel, MessageIcon::Warning) != MessageAnswer::Ok)
        return false;
    file.setEncoding(TextEncoding::unicode(EncodingKind::Utf8, kept.bom));
    const WriteOutcome again = writeFile(file, rows, path, unencodableLine);
    if (again == WriteOutcome::Failed)
        notice(withReason(kFailedToCreate, path, errno));
    if (again != WriteOutcome::Written || path != file.path())
        file.setEncoding(kept);
    return again == WriteOutcome::Written;
}

// Many rows are written beside the window, busy meanwhile, and the user may stop the save
// until the file is replaced, which only happens here on the document's thread.
CBivaloDoc::WriteOutcome CBivaloDoc::writeFile(const LineFile& file, const RowMap& rows, const std::string& path,
                                               std::int32_t& unencodableLine)
{
    const SaveOptions options = saveOptionsOf(textOptions());
    StagedSave save(path);
    bool written = false;
    if (m_rowCount < kRowsSavedBeside) {
        written = save.write(file, rows, m_rowCount, options);
    } else {
        WorkProgress progress;
        progress.startPhase(WorkProgress::Phase::Writing, fileNameOf(path), static_cast<std::uint64_t>(m_rowCount));
        int error = 0;
        beginBusy();
        m_save = &progress;
        m_host.waitBeside([&] {
            written = save.write(file, rows, m_rowCount, options, &progress);
            error = errno;
        });
        m_save = nullptr;
        endBusy();
        if (progress.cancelled())
            return WriteOutcome::Cancelled;
        errno = error;
    }
    unencodableLine = save.unencodableLine();
    return written && save.commit() ? WriteOutcome::Written : WriteOutcome::Failed;
}

// The file of the pair that a save to path replaces, the saved one's own first.
LineFile* CBivaloDoc::loadedFileAt(LineFile& saved, const std::string& path)
{
    LineFile& other = writableFile(otherSide(sideOf(saved)));
    for (LineFile* loaded : { &saved, &other }) {
        std::error_code error;
        if (!loaded->path().empty()
            && (loaded->path() == path || std::filesystem::equivalent(loaded->path(), path, error)))
            return loaded;
    }
    return nullptr;
}

// A file that is gone or was never read has nothing another program wrote into it.
bool CBivaloDoc::mayOverwrite(LineFile& loaded)
{
    const std::optional<DiskStamp> onDisk = DiskStamp::of(loaded.path());
    if (!onDisk || !loaded.diskStamp() || *onDisk == *loaded.diskStamp())
        return true;
    // The question tells the user of this change; the watcher need not report it again.
    m_watcher.Record(sideOf(loaded), *onDisk);
    return m_services.messageBox(framework::formatText(kOverwriteOutsideChange, { loaded.path() }),
                                 MessageButtons::YesNo, MessageIcon::Warning)
        == MessageAnswer::Yes;
}

// The program's own write is what the file is now; the watcher does not report it.
void CBivaloDoc::noteWritten(LineFile& loaded)
{
    const std::optional<DiskStamp> written = DiskStamp::of(loaded.path());
    loaded.setDiskStamp(written);
    if (written)
        m_watcher.Record(sideOf(loaded), *written);
}

void CBivaloDoc::saveSide(int side)
{
    if (file(side).changes() != 0)
        saveRows(file(side), rows(side));
}

void CBivaloDoc::saveAll()
{
    saveSide(kSourceSide);
    saveSide(kTargetSide);
}

void CBivaloDoc::saveAsPair(const LineFile& file)
{
    if (!saveModified())
        return;
    const int side = sideOf(file);
    const std::string otherPath = this->file(otherSide(side)).path();
    const MessageAnswer quit = m_services.messageBox(framework::formatText(kOverwritePair, { otherPath, file.path() }),
                                                     MessageButtons::YesNoCancel, MessageIcon::Question);
    if (quit == MessageAnswer::Cancel)
        return;
    // After a failed write neither quitting nor rescanning is offered: nothing was replaced.
    if (!saveRows(file, rows(side), otherPath))
        return;
    if (quit == MessageAnswer::Yes) {
        m_host.mainWindow().post(framework::WM_CLOSE, 0, 0);
        return;
    }
    if (m_services.messageBox(kRescanNow, MessageButtons::YesNo, MessageIcon::Question) == MessageAnswer::Yes)
        postCommand(framework::ID_RESCAN);
}

bool CBivaloDoc::saveAsResult(const LineFile& file)
{
    return !m_resultFile.empty() && saveRows(file, rows(sideOf(file)), m_resultFile);
}

void CBivaloDoc::chooseFont()
{
    auto& settings = settings::appSettings();
    updateAllViews(nullptr, framework::kHintFillFont, &settings.Font);
    framework::LogFont chosen = settings.Font;
    if (!m_services.chooseFont(chosen) || !m_host.createFont(chosen))
        return;
    settings.Font = chosen;
    settings.FontValid = 1;
    updateAllViews(nullptr, framework::kHintSetFont, &settings.Font);
}

void CBivaloDoc::runOptions()
{
    if (!m_host.runOptionsDialog())
        return;
    postCommand(framework::ID_OPTION_CHANGED);
    updateAllViews(nullptr, framework::kHintOptionsChanged);
}

void CBivaloDoc::runAlternateTool()
{
    AlternateTool tool(m_services, m_host.mainWindow());
    tool.run(settings::appSettings().DiffTool, [this] { return saveModified(); }, m_source.path(),
             m_destination.path());
}

TextOptions CBivaloDoc::textOptions() const
{
    return textOptionsOf(settings::appSettings());
}

void CBivaloDoc::postCommand(framework::CommandId id)
{
    m_host.mainWindow().post(framework::WM_COMMAND, id, 0);
}

void CBivaloDoc::notice(const std::string& text)
{
    m_services.messageBox(text, MessageButtons::Ok, MessageIcon::Warning);
}

} // namespace core
