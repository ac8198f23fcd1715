#pragma once

#include <QString>

// Where the program lives.
namespace AppInfo {

// The folder that holds the executable, in native form and without a trailing separator.
QString applicationFolder();

// A folder joined with a fixed relative path, e.g. dataPath(folder, u"Help/index.html"), by
// plain concatenation with native separators, as every data path of the program is built.
QString dataPath(const QString& folder, const QString& relativePath);

} // namespace AppInfo
