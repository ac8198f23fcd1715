#include "wordprocessor/writer/pipefile.h"

#include "wordprocessor/writer/unostring.h"

#include <cerrno>
#include <cstring>
#include <QFile>
#include <rtl/bootstrap.hxx>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString pipeFolder() {
    for (const char* folder : {"/tmp", "/var/tmp"}) {
        if (::access(folder, W_OK) == 0)
            return QString::fromLatin1(folder);
    }
    rtl::OUString configured;
    rtl::Bootstrap::get("OSL_SOCKET_PATH", configured);
    return toQString(configured);
}

PipeFile::Finding unsafe(const QString& problem) {
    return {PipeFile::Finding::Kind::Unsafe, problem};
}

} // namespace

namespace PipeFile {

QString path(const QString& pipeName) {
    return QStringLiteral("%1/OSL_PIPE_%2_%3").arg(pipeFolder()).arg(::getuid()).arg(pipeName);
}

Finding inspect(const QString& path, uid_t owner) {
    struct stat status {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0) {
        if (errno == ENOENT)
            return {Finding::Kind::Missing, {}};
        return unsafe(QStringLiteral("cannot be examined (%1)")
                          .arg(QString::fromLocal8Bit(std::strerror(errno))));
    }
    if (S_ISLNK(status.st_mode))
        return unsafe(QStringLiteral("is a symbolic link"));
    if (!S_ISSOCK(status.st_mode))
        return unsafe(QStringLiteral("is not a socket"));
    if (status.st_uid != owner)
        return unsafe(QStringLiteral("belongs to another account (user id %1)").arg(status.st_uid));
    if ((status.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
        return unsafe(QStringLiteral("may be written to by other accounts (mode %1)")
                          .arg(status.st_mode & 07777, 4, 8, QLatin1Char('0')));
    }
    return {Finding::Kind::Safe, {}};
}

} // namespace PipeFile
