#include "wordprocessor.h"

namespace {

QString standardDescription(WordErrorNumber number) {
    switch (number) {
    case WordErrorNumber::UserInterrupt:
        return QStringLiteral("User interrupt occurred");
    case WordErrorNumber::ObjectNotSet:
        return QStringLiteral("Object variable or With block variable not set");
    case WordErrorNumber::CannotCreateObject:
        return QStringLiteral("ActiveX component can't create object");
    case WordErrorNumber::AutomationError:
        return QStringLiteral("Automation error");
    case WordErrorNumber::ServerUnavailable:
        return QStringLiteral("The remote server machine does not exist or is unavailable");
    case WordErrorNumber::InvalidPicture:
        return QStringLiteral("Invalid picture");
    case WordErrorNumber::NoDocumentOpen:
        return QStringLiteral("This command is not available because no document is open.");
    }
    return QStringLiteral("Application-defined or object-defined error");
}

} // namespace

RuntimeError wordProcessorError(WordErrorNumber number, const QString& detail) {
    QString description = standardDescription(number);
    if (!detail.isEmpty())
        description += QStringLiteral(": ") + detail;
    return RuntimeError(static_cast<int>(number), description);
}
