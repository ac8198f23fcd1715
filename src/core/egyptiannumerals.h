#pragma once

#include <QList>
#include <QString>

// Egyptian numerals: one sign per power of ten, repeated for its digit, the largest first.
namespace EgyptianNumerals {

struct Sign {
    qint32 value;     // 1, 10, ... 1,000,000
    QString gardiner; // "Z1"
    QString name;     // "stroke"
    char32_t codePoint;
};

// The largest number the signs write: nine of each.
inline constexpr qint32 Largest = 9'999'999;

// The sign of a power of ten up to 1,000,000; a sign of value 0 for any other value.
Sign signOf(qint32 value);
// The signs' values for 1 ... Largest, in writing order: 1990 gives 1000, nine 100s, nine 10s.
QList<qint32> unitsOf(qint32 number);
// The picture of a sign in the images folder (a trailing separator).
QString picturePath(const QString& imagesFolder, qint32 value);

} // namespace EgyptianNumerals
