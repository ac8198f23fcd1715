#include "runtimeerror.h"

#include <utility>

RuntimeError::RuntimeError(int number, QString description)
    : m_number(number)
    , m_description(std::move(description))
    , m_what(message().toStdString()) {}

RuntimeError::RuntimeError(ErrorNumber number)
    : RuntimeError(static_cast<int>(number), standardDescription(number)) {}

RuntimeError::RuntimeError(ErrorNumber number, const QString& detail)
    : RuntimeError(static_cast<int>(number),
                   detail.isEmpty() ? standardDescription(number)
                                    : standardDescription(number) + QStringLiteral(": ") + detail) {
}

QString RuntimeError::message() const {
    return QStringLiteral("Run-time error '%1':\n\n%2").arg(m_number).arg(m_description);
}

QString RuntimeError::standardDescription(ErrorNumber number) {
    switch (number) {
    case ErrorNumber::InvalidProcedureCall:
        return QStringLiteral("Invalid procedure call or argument");
    case ErrorNumber::Overflow:
        return QStringLiteral("Overflow");
    case ErrorNumber::OutOfMemory:
        return QStringLiteral("Out of memory");
    case ErrorNumber::SubscriptOutOfRange:
        return QStringLiteral("Subscript out of range");
    case ErrorNumber::DivisionByZero:
        return QStringLiteral("Division by zero");
    case ErrorNumber::TypeMismatch:
        return QStringLiteral("Type mismatch");
    case ErrorNumber::InternalError:
        return QStringLiteral("Internal error");
    case ErrorNumber::BadFileNameOrNumber:
        return QStringLiteral("Bad file name or number");
    case ErrorNumber::FileNotFound:
        return QStringLiteral("File not found");
    case ErrorNumber::DiskFull:
        return QStringLiteral("Disk full");
    case ErrorNumber::InputPastEndOfFile:
        return QStringLiteral("Input past end of file");
    case ErrorNumber::PermissionDenied:
        return QStringLiteral("Permission denied");
    case ErrorNumber::PathFileAccessError:
        return QStringLiteral("Path/File access error");
    case ErrorNumber::PathNotFound:
        return QStringLiteral("Path not found");
    case ErrorNumber::UnsupportedProperty:
        return QStringLiteral("Object doesn't support this property or method");
    }
    return QStringLiteral("Application-defined or object-defined error");
}
