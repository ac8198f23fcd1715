#include "cli/plainmessage.h"

#include "platform/runtimeerror.h"

#include <QCoreApplication>

namespace {

QString translated(const char* text) {
    return QCoreApplication::translate("PlainMessage", text);
}

QString quoted(const QString& text) {
    return u'\u201c' + text + u'\u201d';
}

// What the description says beyond its standard wording and the file's name ("(Permission
// denied)" becomes "Permission denied"); empty when it says nothing more.
QString detailOf(const RuntimeError& error, const QString& file) {
    const QString standard =
        RuntimeError::standardDescription(static_cast<ErrorNumber>(error.number()));
    if (error.description() == standard)
        return {};
    QString detail = error.detail().isEmpty() ? error.description() : error.detail();
    for (const QString& lead : {file + QStringLiteral(": "), file + u' ', file})
        if (detail.startsWith(lead)) {
            detail.remove(0, lead.size());
            break;
        }
    if (detail.startsWith(u'(') && detail.endsWith(u')'))
        detail = detail.mid(1, detail.size() - 2);
    return detail;
}

// The reason in the description's own words where it gives more than the file, else by number.
QString reason(const RuntimeError& error, const QString& file) {
    const QString detail = detailOf(error, file);
    switch (static_cast<ErrorNumber>(error.number())) {
    case ErrorNumber::InvalidPicture:
        return translated("cannot read the glyph picture %1").arg(quoted(detail));
    case ErrorNumber::FileNotFound:
        return detail.isEmpty() ? translated("no such file") : detail;
    case ErrorNumber::PathNotFound:
        return detail.isEmpty() ? translated("the folder does not exist") : detail;
    case ErrorNumber::DiskFull:
        return detail.isEmpty() ? translated("the disk is full") : detail;
    case ErrorNumber::PermissionDenied:
        return detail.isEmpty() ? translated("permission denied") : detail;
    default:
        return detail.isEmpty() ? error.description() : detail;
    }
}

} // namespace

namespace PlainMessage {

QString cannotRead(const QString& file, const RuntimeError& error) {
    return translated("cannot read %1: %2").arg(quoted(file), reason(error, file));
}

QString cannotWrite(const QString& file, const RuntimeError& error) {
    return translated("cannot write %1: %2").arg(quoted(file), reason(error, file));
}

} // namespace PlainMessage
