#pragma once

#include <QByteArray>
#include <QString>

// What is wrong with a PDF the program wrote, or nothing: every object its tables list begins
// where they say, its trailer's /Root is a catalog, and, where it shows hieroglyphs, the update
// that follows Qt's own output replaces the hieroglyph font's Unicode map and nothing else.
QString pdfFault(const QByteArray& pdf, bool hieroglyphs);
