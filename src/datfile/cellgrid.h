#pragma once

#include "datfile/fieldrow.h"

#include <QList>
#include <QString>
#include <QStringList>

// The cell storage of a table, fixed in size at each reset. A loaded row keeps its cells packed as
// the file gave them and gets a string per cell only when one of its cells is written; a row that
// was neither loaded nor written holds nothing, so a large table that is mostly empty costs little.
// Cells outside the storage read as empty and ignore writes.
class CellGrid {
public:
    // Throws RuntimeError 9 when a count is negative.
    void reset(qint16 rows, qint16 cols);

    // Whether the storage holds the first rows rows and cols columns.
    bool covers(qint16 rows, qint16 cols) const { return rows <= m_rows.size() && cols <= m_cols; }

    QString cell(qint16 row, qint16 col) const;
    void setCell(qint16 row, qint16 col, const QString& value);
    // Replaces a whole row inside the storage; cells holds exactly one field per column.
    void setRow(qint16 row, FieldRow cells);

private:
    struct Row {
        FieldRow loaded;
        QStringList written; // every cell of the row, once one of them has been written
    };

    bool contains(qint16 row, qint16 col) const;

    QList<Row> m_rows;
    qint16 m_cols = 0;
};
