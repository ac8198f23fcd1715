#pragma once

#include <QList>
#include <QStringList>
#include <QStringView>

// The conversion's matching done the obvious way: at each position every entry in table order, the
// piece of the text as long as the entry lower-cased on its own and compared. The reference that
// the fast matcher must agree with in every case.
QList<qsizetype> plainGlyphScan(const QStringList& alphabet, QStringView text);

// Whether an entry can stand for a glyph, decided the obvious way: it is not empty, and its
// picture's path below the images folder, cleaned, neither climbs out of it nor is absolute.
bool plainIsUsableEntry(const QString& entry);
