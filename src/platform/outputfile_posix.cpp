#include "platform/outputfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The kernel gives up after 40 links in a row.
constexpr int MostLinks = 40;

QString nextInChain(const QString& link) {
    char target[4096];
    const ssize_t length = ::readlink(QFile::encodeName(link).constData(), target, sizeof target);
    if (length <= 0 || length == ssize_t(sizeof target))
        return {};
    return QFileInfo(link).absoluteDir().absoluteFilePath(
        QFile::decodeName(QByteArray(target, length)));
}

bool planted(const struct stat& link, const struct stat& folder) {
    const bool othersMayWrite = (folder.st_mode & S_IWOTH) != 0;
    return othersMayWrite && link.st_uid != ::geteuid() && link.st_uid != folder.st_uid;
}

} // namespace

namespace OutputFile {

QString linkDanger(const QString& path) {
    QString current = path;
    for (int hop = 0; hop < MostLinks && !current.isEmpty(); ++hop) {
        struct stat link {};
        struct stat folder {};
        if (::lstat(QFile::encodeName(current).constData(), &link) != 0 || !S_ISLNK(link.st_mode))
            return {};
        const QString folderPath = QFileInfo(current).absolutePath();
        if (::stat(QFile::encodeName(folderPath).constData(), &folder) == 0 &&
            planted(link, folder))
            return QCoreApplication::translate("OutputFile",
                                               "%1 is a link that another user made in %2, a "
                                               "folder others may write to; it is not followed")
                .arg(current, folderPath);
        current = nextInChain(current);
    }
    return {};
}

bool sameFile(const QString& a, const QString& b) {
    struct stat first {};
    struct stat second {};
    return ::stat(QFile::encodeName(a).constData(), &first) == 0 &&
           ::stat(QFile::encodeName(b).constData(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

// Only root may give a file away, and anyone a group they are in; where neither may be, the new
// file is the user's own, as any file they make. The set-ID bits are not carried over: the new file
// is data, never a program to run as its owner.
void keepOwnerAndMode(int handle, const QString& path) {
    struct stat existing {};
    if (handle < 0 || ::stat(QFile::encodeName(path).constData(), &existing) != 0)
        return;
    [[maybe_unused]] const bool owned = ::fchown(handle, existing.st_uid, existing.st_gid) == 0 ||
                                        ::fchown(handle, uid_t(-1), existing.st_gid) == 0;
    [[maybe_unused]] const bool moded =
        ::fchmod(handle, existing.st_mode & (S_IRWXU | S_IRWXG | S_IRWXO | S_ISVTX)) == 0;
}

} // namespace OutputFile
