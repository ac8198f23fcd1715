#include "plainload.h"

#include "plaingetwords.h"

namespace {

QStringList plainLines(const QByteArray& bytes) {
    const QString text = QString::fromUtf8(bytes);
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r')
            continue;
        lines.append(text.sliced(start, i - start));
        if (i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.sliced(start));
    return lines;
}

QStringList fieldsOf(const QString& line) {
    return plainGetWords(line).sliced(1);
}

} // namespace

QList<QStringList> plainDatRows(const QByteArray& bytes, qint16 rows, qint16 cols) {
    const QStringList lines = plainLines(bytes);
    QList<QStringList> table(rows, QStringList(cols));
    for (qsizetype row = 0; row < rows && row + 1 < lines.size(); ++row) {
        const QStringList fields = fieldsOf(lines[row + 1]);
        if (fields.size() != cols)
            break;
        table[row] = fields;
    }
    return table;
}

QList<QStringList> plainCsvRows(const QByteArray& bytes, bool headerLine) {
    const QStringList lines = plainLines(bytes);
    QList<QStringList> table;
    for (qsizetype line = headerLine ? 1 : 0; line < lines.size(); ++line) {
        QStringList fields = fieldsOf(lines[line]);
        if (!table.isEmpty() && fields.size() != table.first().size())
            break;
        table.append(std::move(fields));
    }
    return table;
}
