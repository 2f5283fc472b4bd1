#include "shell/bivalo_app.h"

#include <iostream>

#include <QApplication>

#include "core/bivalo_doc.h"
#include "framework/command_ids.h"
#include "panes/bivalo_view.h"
#include "panes/diff_preview.h"
#include "panes/dst_view.h"
#include "shell/desktop_services.h"
#include "settings/app_settings.h"
#include "shell/about_box.h"
#include "shell/app_resources.h"
#include "shell/main_frame.h"
#include "shell/main_splitter.h"
#include "shell/merge_app.h"
#include "shell/startup_command_line.h"

CBivaloApp::CBivaloApp(framework::Services& services) : m_services(services)
{
    onCommand(framework::ID_APP_ABOUT, [this] { showAboutBox(); });
}

CBivaloApp::~CBivaloApp()
{
    m_frame.reset();
    m_document.reset();
}

std::string CBivaloApp::title()
{
    return framework::kAppTitle;
}

bool CBivaloApp::initInstance(const std::vector<std::string>& arguments)
{
    settings::appSettings().Load();
    shell::StartupCommandLine names = shell::StartupCommandLine::parse(arguments);
    m_frame = std::make_unique<CMainFrame>(m_services);
    if (!m_frame->create())
        return false;
    m_document = std::make_unique<core::CBivaloDoc>(m_services, *m_frame);
    m_frame->router().setApplication(this);
    m_strip = new panes::CDiffPreview(*m_document);
    m_source = new panes::CBivaloView(*m_document, *m_frame, m_services);
    m_target = new panes::CDstView(*m_document, *m_frame, m_services);
    m_source->createView(&m_frame->splitter());
    m_target->createView(&m_frame->splitter());
    m_frame->attachDocument(*m_document, m_strip, m_source, m_target);
    m_source->initialUpdate();
    m_target->initialUpdate();
    m_frame->resetColumns();
    m_frame->show();
    m_frame->setWindowTitle(QString::fromStdString(title()));
    m_frame->activateView(m_source);
    m_source->onActivateView(true);
    if (!names.hasPair()) {
        m_frame->post(framework::WM_COMMAND, framework::ID_COMPARE_FILES, 0);
        return true;
    }
    shell::resolveFolderInPair(names.firstName, names.secondName);
    m_document->setResultFile(names.thirdName);
    // The window is up at once; a large pair loads beside it. A pair that could not be opened
    // makes way for the pair dialog; a cancelled one leaves the user to choose.
    m_document->loadAndCompare(names.firstName, names.secondName, [this](core::LoadOutcome outcome) {
        if (outcome == core::LoadOutcome::NotLoaded || outcome == core::LoadOutcome::OutOfMemory)
            m_frame->post(framework::WM_COMMAND, framework::ID_COMPARE_FILES, 0);
    });
    return true;
}

void CBivaloApp::exitInstance()
{
    settings::appSettings().Save();
}

void CBivaloApp::showAboutBox()
{
    CAboutBox box(m_services, CAboutBox::homePage(), m_frame.get());
    box.exec();
}

namespace shell {

int runMergeWindow(framework::Services& services, const std::vector<std::string>& arguments)
{
    MergeApp app(services);
    std::string error;
    if (!app.start(arguments, error)) {
        std::cerr << error << '\n';
        return 2;
    }
    QApplication::exec();
    if (!app.error().empty())
        std::cerr << app.error() << '\n';
    return app.exitStatus();
}

int runWindowedApplication(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromStdString(CBivaloApp::title()));
    // Task bars find the icon and the name through the installed desktop entry.
    QGuiApplication::setDesktopFileName(QStringLiteral(BIVALO_APP_ID));
    QApplication::setWindowIcon(shell::appIcon());
    DesktopServices services;
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (MergeApp::isMergeCommand(arguments))
        return runMergeWindow(services, arguments);
    CBivaloApp app(services);
    if (!app.initInstance(arguments))
        return 1;
    const int status = QApplication::exec();
    app.exitInstance();
    return status;
}

} // namespace shell
