#include "datfile/fieldrow.h"

#include "datfile/systemtext.h"

#include <utility>

FieldRow::FieldRow(QByteArray line, const Spans& fields)
    : m_line(std::move(line))
    , m_fields(fields) {}

QString FieldRow::at(qsizetype index) const {
    const Span& field = m_fields[index];
    return decodeSystemText(QByteArrayView(m_line).sliced(field.start, field.size));
}

QStringList FieldRow::toStringList() const {
    QStringList fields;
    fields.reserve(size());
    for (qsizetype index = 0; index < size(); ++index)
        fields.append(at(index));
    return fields;
}
