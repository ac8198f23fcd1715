#pragma once

#include <QString>

// What the program knows about itself at run time: where it lives and what it is called.
namespace AppInfo {

// The folder that holds the executable, in native form and without a trailing separator.
QString applicationFolder();

// The folder joined with a fixed relative path, e.g. dataPath(u"Alphabet.dat").
QString dataPath(const QString& relativePath);

// The title of the program's message boxes; set at start-up from the version record.
QString title();
void setTitle(const QString& title);

} // namespace AppInfo
