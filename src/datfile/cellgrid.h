#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The cell storage of a table, fixed in size at each reset. A row gets its cells on its first
// non-empty write, so a large table that is mostly empty costs little. Cells outside the storage
// read as empty and ignore writes.
class CellGrid {
public:
    // Throws RuntimeError 9 when a count is negative.
    void reset(qint16 rows, qint16 cols);

    QString cell(qint16 row, qint16 col) const;
    void setCell(qint16 row, qint16 col, const QString& value);
    // Replaces a whole row inside the storage; cells holds exactly one string per column.
    void setRow(qint16 row, QStringList cells);

private:
    bool contains(qint16 row, qint16 col) const;

    QList<QStringList> m_rows; // an empty row has had no cells written yet
    qint16 m_cols = 0;
};
