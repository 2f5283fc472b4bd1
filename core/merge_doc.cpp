#include "core/merge_doc.h"

#include <algorithm>

#include "core/atomic_file.h"
#include "core/merge_result_writer.h"
#include "core/report.h"
#include "framework/merge_command_ids.h"
#include "framework/text_format.h"
#include "framework/update_hints.h"
#include "settings/app_settings.h"

namespace core {

using framework::MessageAnswer;
using framework::MessageButtons;
using framework::MessageIcon;

CMergeDoc::CMergeDoc(framework::Services& services) : m_services(services)
{
    addCommands();
}

void CMergeDoc::addCommands()
{
    using namespace framework;
    onCommand(ID_MERGE_UNDO, [this] { undo(); });
    onCommand(ID_MERGE_REDO, [this] { redo(); });
    onCommand(ID_MERGE_SAVE, [this] { save(); });
    onEnable(ID_MERGE_UNDO, [this](CommandUI& ui) { ui.enable(loaded() && m_session->canUndo()); });
    onEnable(ID_MERGE_REDO, [this](CommandUI& ui) { ui.enable(loaded() && m_session->canRedo()); });
    onEnable(ID_MERGE_SAVE, [this](CommandUI& ui) { ui.enable(loaded()); });
}

void CMergeDoc::beforeCommand(framework::CommandId id)
{
    using namespace framework;
    const bool touchesResult = id == ID_MERGE_SAVE || id == ID_MERGE_UNDO || id == ID_MERGE_REDO ||
                               (id >= ID_MERGE_TAKE_LOCAL && id <= ID_MERGE_TAKE_BASE);
    if (touchesResult)
        updateAllViews(nullptr, kHintFinishEditing);
}

void CMergeDoc::showLoading(const MergeFiles& files)
{
    m_files = files;
    // Names only: nothing reads the rows before the merge is open.
    updateAllViews(nullptr, framework::kHintModifiedChanged);
}

bool CMergeDoc::open(std::shared_ptr<MergeLoadJob> job, const MergeLabels& labels)
{
    if (job->outcome == LoadOutcome::NotLoaded)
        m_services.messageBox(job->readProblem(), MessageButtons::Ok, MessageIcon::Error);
    if (job->outcome == LoadOutcome::OutOfMemory) {
        const MergeFiles& files = job->files;
        m_services.messageBox(framework::formatText(kOutOfMemory, {files.base, files.local, files.remote}),
                              MessageButtons::Ok, MessageIcon::Error);
    }
    if (job->outcome != LoadOutcome::Opened)
        return false;
    m_files = job->files;
    m_labels = labels;
    m_session = std::move(job->session);
    m_inputs = std::move(job);
    updateAllViews(nullptr, framework::kHintCompared);
    return true;
}

std::optional<std::int32_t> CMergeDoc::take(std::int32_t row, MergeChoice choice)
{
    if (!loaded() || row < 0 || row >= rowCount())
        return std::nullopt;
    const std::int32_t chunk = m_session->chunkAtRow(row);
    if (!m_session->take(chunk, choice))
        return std::nullopt;
    const std::int32_t first = m_session->firstRow(chunk);
    changed(first);
    return first;
}

bool CMergeDoc::editLine(std::int32_t row, std::string_view text)
{
    const TextOptions options = textOptionsOf(settings::appSettings());
    const TextForm form{.tabSize = static_cast<std::size_t>(std::max(0, options.tabSize)), .piece = false};
    if (!loaded() || !m_session->editLine(row, text, form, options.typedTabSize()))
        return false;
    changed(row);
    return true;
}

void CMergeDoc::undo()
{
    if (loaded())
        changed(m_session->undo());
}

void CMergeDoc::redo()
{
    if (loaded())
        changed(m_session->redo());
}

void CMergeDoc::changed(std::optional<std::int32_t> row)
{
    if (!row)
        return;
    updateAllViews(nullptr, framework::kHintCompared);
    std::int32_t goTo = *row;
    updateAllViews(nullptr, framework::kHintGoToRow, &goTo);
    updateAllViews(nullptr, framework::kHintModifiedChanged);
}

bool CMergeDoc::save()
{
    if (!loaded())
        return false;
    AtomicFile output(m_files.output);
    const std::string bytes = resultInEncoding(m_session->resultBytes(m_labels), m_inputs->local.encoding());
    if (!(output.open() && output.write(bytes) && output.commit())) {
        m_services.messageBox(kFailedToCreate, MessageButtons::Ok, MessageIcon::Error);
        return false;
    }
    m_session->noteSaved();
    m_savedWithoutConflicts = m_session->openConflicts() == 0;
    updateAllViews(nullptr, framework::kHintModifiedChanged);
    return true;
}

bool CMergeDoc::saveModified()
{
    if (!isModified())
        return true;
    const MessageAnswer answer = m_services.messageBox(framework::formatText(kSaveResult, {m_files.output}),
                                                       MessageButtons::YesNoCancel, MessageIcon::Question);
    if (answer == MessageAnswer::Cancel)
        return false;
    return answer == MessageAnswer::No || save();
}

bool CMergeDoc::mayCloseWithConflicts()
{
    const std::int32_t open = loaded() ? m_session->openConflicts() : 0;
    if (open == 0)
        return true;
    const std::string text =
        open == 1 ? std::string(kOneConflictLeft) : framework::formatText(kConflictsLeft, {std::to_string(open)});
    return m_services.messageBox(text, MessageButtons::YesNo, MessageIcon::Warning) == MessageAnswer::Yes;
}

bool CMergeDoc::canCloseFrame()
{
    updateAllViews(nullptr, framework::kHintFinishEditing);
    return saveModified() && mayCloseWithConflicts();
}

} // namespace core
