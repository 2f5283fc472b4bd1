// Shows a table box with a million owner-data rows. With --screenshot=FILE it saves a
// picture of the window instead of running.
#include <QApplication>
#include <QString>

#include "bench/grid/bench_table.h"
#include "bench/grid/row_model.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    bench::BenchTable table(bench::kBenchRows);
    table.setWindowTitle(QStringLiteral("Bivalo grid: %1 rows").arg(bench::kBenchRows));
    table.resize(900, 600);
    table.show();
    table.box().setFocus();
    table.box().send(grid::TCM_SETCURCELL, 1, 3);
    table.box().send(grid::TCM_SELECTROW, 6, 1);
    for (int i = 1; i < argc; ++i) {
        QString argument = QString::fromLocal8Bit(argv[i]);
        if (argument.startsWith(QLatin1String("--screenshot="))) {
            QApplication::processEvents();
            return table.grab().save(argument.section(QLatin1Char('='), 1)) ? 0 : 1;
        }
    }
    return app.exec();
}
