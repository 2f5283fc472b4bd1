#pragma once

#include <cstdio>

#include <QApplication>
#include <QtGlobal>

#include "panes/bivalo_view.h"
#include "shell/bivalo_app.h"
#include "shell/main_frame.h"
#include "shell/main_splitter.h"

// The start that every window benchmark shares: its arguments, Qt, and the panes.
namespace bench {

// Whether at least `least` arguments came, the program's name counted; the usage line on
// standard error when not.
inline bool argumentsGiven(int argc, int least, const char* usage)
{
    if (argc >= least)
        return true;
    std::fprintf(stderr, "usage: %s\n", usage);
    return false;
}

// The QApplication of a benchmark: on the offscreen platform unless QT_QPA_PLATFORM names
// another, and blind to the benchmark's own arguments.
class BenchApplication {
public:
    explicit BenchApplication(char** argv) : m_application(offscreenUnlessSet(m_argc), argv) {}

    QApplication& application() { return m_application; }

private:
    static int& offscreenUnlessSet(int& argc)
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return argc;
    }

    int m_argc = 1;    // QApplication keeps a reference to it
    QApplication m_application;
};

// The file pane in a column of the main window's splitter: 1 the source, 2 the target.
inline panes::CBivaloView& pane(CBivaloApp& app, int column)
{
    return *static_cast<panes::CBivaloView*>(app.mainFrame().splitter().widget(column));
}

} // namespace bench
