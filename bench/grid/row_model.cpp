#include "bench/grid/row_model.h"

namespace bench {

namespace {

const char* const kWords[] = {"alpha", "bravo", "charlie", "delta", "echo", "foxtrot", "golf", "hotel"};

} // namespace

QString benchCellText(int row, int column)
{
    switch (column) {
    case 0: return QString::number(row + 1);
    case 1: return QStringLiteral("%1 %2").arg(QLatin1String(kWords[row % 8]), QLatin1String(kWords[(row / 8) % 8]));
    case 2: return QStringLiteral("line %1 of the generated file, column text").arg(row * 7 % 100003);
    default: return QString::number(double(row) * 0.25, 'f', 2);
    }
}

QString benchHeaderText(int column)
{
    static const char* const names[] = {"Line", "Name", "Text", "Value"};
    return QLatin1String(names[column]);
}

QVariant RowModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    ++dataCalls;
    return benchCellText(index.row(), index.column());
}

QVariant RowModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return {};
    return benchHeaderText(section);
}

} // namespace bench
