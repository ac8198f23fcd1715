#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>

// Reads a picture file in this process, so that a missing or unreadable file is reported as such
// (the office only says that it found no picture). Throws RuntimeError: 53 when there is no such
// file, 75 when it cannot be read, 6 when it is too large to hand over.
QByteArray readPictureFile(const QString& path);

// A picture's natural size in 1/100 mm: its physical size when the file records one, else its
// pixels at 96 dots per inch (GIF records none).
QSize naturalSizeIn100thMm(QSize physical100thMm, QSize pixels);
