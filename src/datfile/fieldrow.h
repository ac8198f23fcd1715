#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVarLengthArray>

// The fields of one line of a data file, left in the line's own bytes in the system's code page and
// decoded only when a cell is read: a large file loads with one allocation per row rather than one
// per cell, and in half the memory that decoded text would take.
class FieldRow {
public:
    // Where one field lies in the line.
    struct Span {
        qint32 start;
        qint32 size;
    };
    using Spans = QVarLengthArray<Span, 20>;

    FieldRow() = default;
    FieldRow(QByteArray line, const Spans& fields);

    qsizetype size() const { return m_fields.size(); }
    QString at(qsizetype index) const;
    QStringList toStringList() const;

private:
    QByteArray m_line;
    Spans m_fields;
};
