#include "datfile/cellgrid.h"

#include "platform/runtimeerror.h"

#include <utility>

void CellGrid::reset(qint16 rows, qint16 cols) {
    if (rows < 0 || cols < 0)
        throw RuntimeError(
            ErrorNumber::SubscriptOutOfRange,
            QStringLiteral("no table of %1 rows and %2 columns").arg(rows).arg(cols));
    m_rows = QList<Row>(rows);
    m_cols = cols;
}

QString CellGrid::cell(qint16 row, qint16 col) const {
    if (!contains(row, col))
        return {};
    const Row& cells = m_rows[row];
    if (!cells.written.isEmpty())
        return cells.written[col];
    return col < cells.loaded.size() ? cells.loaded.at(col) : QString();
}

void CellGrid::setCell(qint16 row, qint16 col, const QString& value) {
    if (!contains(row, col))
        return;
    Row& cells = m_rows[row];
    if (cells.written.isEmpty()) {
        if (value.isEmpty() && cells.loaded.size() == 0)
            return;
        cells.written =
            cells.loaded.size() == 0 ? QStringList(m_cols) : cells.loaded.toStringList();
        cells.loaded = {};
    }
    cells.written[col] = value;
}

void CellGrid::setRow(qint16 row, FieldRow cells) {
    Q_ASSERT(cells.size() == m_cols);
    if (contains(row, 0))
        m_rows[row] = {std::move(cells), {}};
}

bool CellGrid::contains(qint16 row, qint16 col) const {
    return row >= 0 && row < m_rows.size() && col >= 0 && col < m_cols;
}
