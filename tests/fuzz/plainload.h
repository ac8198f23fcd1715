#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

// The rows of a data file read the obvious way: the whole file decoded at once (UTF-8, the system
// code page here), cut into lines at CR LF or a lone CR, each line split by plainGetWords. The
// reference that the table's loaders must agree with. Each row holds the fields of one line.

// Layout 0 with the counts its counts line gave: rows up to the first line of another width, the
// rest empty.
QList<QStringList> plainDatRows(const QByteArray& bytes, qint16 rows, qint16 cols);

// Layouts 1 and 2: the first data line and every following line of the same width.
QList<QStringList> plainCsvRows(const QByteArray& bytes, bool headerLine);
