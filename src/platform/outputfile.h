#pragma once

#include <QString>

// Checks before a file is written over, so that a save cannot be turned against its user: by a link
// planted in a shared folder, or by an output that is one of the inputs.
namespace OutputFile {

// Why the links at path must not be followed, as the kernel's protected_symlinks rule says: a
// link in a folder others may write to, owned by neither the user nor the folder's owner, may
// have been planted there to make the save replace another file. Empty when path may be written.
QString linkDanger(const QString& path);

// Whether a and b name one existing file, once links are followed; hard links are one file too.
bool sameFile(const QString& a, const QString& b);

// Gives the new file open on handle the permissions of the existing file at path and, where the
// user may set them, its owner and group; nothing when there is no such file.
void keepOwnerAndMode(int handle, const QString& path);

} // namespace OutputFile
