#pragma once

#include <QAbstractTableModel>
#include <QString>

// The same owner data for both tables of the benchmark: rows of generated text.
namespace bench {

constexpr int kBenchRows = 1000000;
constexpr int kBenchColumns = 4;

QString benchCellText(int row, int column);
QString benchHeaderText(int column);

class RowModel : public QAbstractTableModel {
public:
    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : kBenchRows; }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : kBenchColumns; }
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // How many display texts were asked, to see that painting happened.
    mutable long long dataCalls = 0;
};

} // namespace bench
