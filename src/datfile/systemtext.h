#pragma once

#include <QByteArrayView>
#include <QString>

// Text in the system's code page, as data files hold it.

// Whether that code page is UTF-8: always on Unix, and on Windows when the system is set up so.
bool systemCodePageIsUtf8();

// Decodes one piece of a file (a line, a field) on its own: a broken character at its end never
// reaches the next piece, and a byte order mark inside a file stays a character.
QString decodeSystemText(QByteArrayView bytes);
