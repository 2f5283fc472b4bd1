#include "shell/merge_app.h"

#include <algorithm>

#include "core/merge_doc.h"
#include "core/merge_load_job.h"
#include "core/merge_report.h"
#include "core/report.h"
#include "core/report_options.h"
#include "panes/merge_pane.h"
#include "platform/to_qstring.h"
#include "settings/app_settings.h"
#include "shell/bivalo_app.h"
#include "shell/merge_frame.h"

namespace shell {

MergeApp::MergeApp(framework::Services& services) : m_services(services) {}

MergeApp::~MergeApp()
{
    m_frame.reset();
    m_document.reset();
}

bool MergeApp::isMergeCommand(const std::vector<std::string>& arguments)
{
    return std::find(arguments.begin(), arguments.end(), "--merge") != arguments.end();
}

bool MergeApp::start(const std::vector<std::string>& arguments, std::string& error)
{
    core::ReportOptions options;
    if (!core::parseReportOptions(arguments, options, error))
        return false;
    if (!options.output) {
        error = "bivalo: the merge window needs -o OUTPUT, where the result is saved";
        return false;
    }
    settings::appSettings().Load();
    m_document = std::make_unique<core::CMergeDoc>(m_services);
    m_frame = std::make_unique<CMergeFrame>(*m_document, m_services);
    if (!m_frame->create()) {
        error = "bivalo: the merge window could not be made";
        return false;
    }
    const core::MergeFiles files{.base = core::readablePath(options.files[0]),
                                 .local = core::readablePath(options.files[1]),
                                 .remote = core::readablePath(options.files[2]),
                                 .output = *options.output};
    m_labels = core::mergeLabels(options);
    m_frame->setWindowTitle(platform::toQString(CBivaloApp::title() + " - merge " + files.output));
    return load(std::make_shared<core::MergeLoadJob>(files, core::textOptionsOf(settings::appSettings())), error);
}

bool MergeApp::load(const std::shared_ptr<core::MergeLoadJob>& job, std::string& error)
{
    if (job->isQuick()) {
        job->run();
        if (!m_document->open(job, m_labels)) {
            error = kNotLoaded;
            return false;
        }
        m_frame->showOnScreen();
        goToFirstChange();
        return true;
    }
    // The window is up at once and shows how far the load has come; one that fails closes it.
    m_document->showLoading(job->files);
    m_frame->showOnScreen();
    m_frame->loadBeside(job, [this, job] {
        if (m_document->open(job, m_labels)) {
            goToFirstChange();
            return;
        }
        m_error = kNotLoaded;
        m_frame->close();
    });
    return true;
}

void MergeApp::goToFirstChange()
{
    // The first conflict, else the first change, is where the work starts.
    const core::MergeSession& session = m_document->session();
    std::optional<std::int32_t> first = session.nextChange(-1, true, true);
    if (!first)
        first = session.nextChange(-1, true, false);
    m_frame->pane(core::MergePane::Result).goToRow(first.value_or(0));
}

int MergeApp::exitStatus() const
{
    if (!m_error.empty())
        return core::kReportTrouble;
    return m_document ? m_document->exitStatus() : core::kReportDifferent;
}

} // namespace shell
