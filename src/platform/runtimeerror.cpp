#include "platform/runtimeerror.h"

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

QString RuntimeError::detail() const {
    const QString standard =
        standardDescription(static_cast<ErrorNumber>(m_number)) + QStringLiteral(": ");
    return m_description.startsWith(standard) ? m_description.mid(standard.size()) : QString();
}

QString RuntimeError::message() const {
    return QStringLiteral("Run-time error '%1':\n\n%2").arg(m_number).arg(m_description);
}

QString RuntimeError::standardDescription(ErrorNumber number) {
    struct Text {
        ErrorNumber number;
        const char* description;
    };
    // Every number the program reports, with the description its users know it by.
    static constexpr Text texts[] = {
        {ErrorNumber::InvalidProcedureCall, "Invalid procedure call or argument"},
        {ErrorNumber::Overflow, "Overflow"},
        {ErrorNumber::OutOfMemory, "Out of memory"},
        {ErrorNumber::SubscriptOutOfRange, "Subscript out of range"},
        {ErrorNumber::DivisionByZero, "Division by zero"},
        {ErrorNumber::TypeMismatch, "Type mismatch"},
        {ErrorNumber::UserInterrupt, "User interrupt occurred"},
        {ErrorNumber::InternalError, "Internal error"},
        {ErrorNumber::BadFileNameOrNumber, "Bad file name or number"},
        {ErrorNumber::FileNotFound, "File not found"},
        {ErrorNumber::DiskFull, "Disk full"},
        {ErrorNumber::InputPastEndOfFile, "Input past end of file"},
        {ErrorNumber::PermissionDenied, "Permission denied"},
        {ErrorNumber::PathFileAccessError, "Path/File access error"},
        {ErrorNumber::PathNotFound, "Path not found"},
        {ErrorNumber::ObjectNotSet, "Object variable or With block variable not set"},
        {ErrorNumber::CannotCreateObject, "ActiveX component can't create object"},
        {ErrorNumber::UnsupportedProperty, "Object doesn't support this property or method"},
        {ErrorNumber::AutomationError, "Automation error"},
        {ErrorNumber::ServerUnavailable,
         "The remote server machine does not exist or is unavailable"},
        {ErrorNumber::InvalidPicture, "Invalid picture"},
        {ErrorNumber::NoDocumentOpen, "This command is not available because no document is open."},
    };
    for (const Text& text : texts) {
        if (text.number == number)
            return QString::fromLatin1(text.description);
    }
    return QStringLiteral("Application-defined or object-defined error");
}
