#pragma once

#include "datfile/clsdatfile.h"
#include "errornumber.h"
#include "platform/runtimeerror.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

// A scratch folder for one test, removed with it.
class ScratchFolder {
public:
    QString root() const { return m_dir.path(); }
    QString path(const QString& name) const { return m_dir.filePath(name); }

    QString write(const QString& name, const QByteArray& bytes) const {
        QFile file(path(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            throw std::runtime_error("cannot write a test file");
        return file.fileName();
    }

    QByteArray read(const QString& name) const {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    QTemporaryDir m_dir;
};

// A table of the given rows (all of the same length), built through the public members.
inline clsDatFile tableOf(const QList<QStringList>& rows) {
    clsDatFile table;
    table.setRows(static_cast<qint16>(rows.size()));
    table.setCols(static_cast<qint16>(rows.first().size()));
    table.Clear();
    for (qint16 r = 0; r < table.Rows(); ++r)
        for (qint16 c = 0; c < table.Cols(); ++c)
            table.setData(r, c, rows[r][c]);
    return table;
}

// Every cell within the counts, row by row.
inline QList<QStringList> cellsOf(const clsDatFile& table) {
    QList<QStringList> rows;
    rows.reserve(table.Rows());
    for (qint16 r = 0; r < table.Rows(); ++r) {
        QStringList& row = rows.emplace_back();
        row.reserve(table.Cols());
        for (qint16 c = 0; c < table.Cols(); ++c)
            row.append(table.Data(r, c));
    }
    return rows;
}
