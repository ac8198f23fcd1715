#pragma once

#include <exception>
#include <QString>
#include <string>

// The run-time errors the program reports, numbered as users of the original program know them.
enum class ErrorNumber : int {
    InvalidProcedureCall = 5,
    Overflow = 6,
    OutOfMemory = 7,
    SubscriptOutOfRange = 9,
    DivisionByZero = 11,
    TypeMismatch = 13,
    InternalError = 51,
    BadFileNameOrNumber = 52,
    FileNotFound = 53,
    InputPastEndOfFile = 62,
    DiskFull = 61,
    PermissionDenied = 70,
    PathFileAccessError = 75,
    PathNotFound = 76,
    UnsupportedProperty = 438,
    // Reported by word-processor automation, as users of Word know them.
    UserInterrupt = 18,
    ObjectNotSet = 91,
    CannotCreateObject = 429,
    AutomationError = 440,
    ServerUnavailable = 462,
    InvalidPicture = 481,
    NoDocumentOpen = 4248,
};

// One error type for every failure that travels up to an event handler: a number and a description.
class RuntimeError : public std::exception {
public:
    RuntimeError(int number, QString description);
    explicit RuntimeError(ErrorNumber number);
    RuntimeError(ErrorNumber number, const QString& detail);

    int number() const noexcept { return m_number; }
    const QString& description() const noexcept { return m_description; }
    // The description less the standard words before it: what the error names, most often a file;
    // empty when the description does not begin with them.
    QString detail() const;
    // The text of the message box that reports the error: "Run-time error 'N':" and the
    // description.
    QString message() const;
    const char* what() const noexcept override { return m_what.c_str(); }

    static QString standardDescription(ErrorNumber number);

private:
    int m_number;
    QString m_description;
    std::string m_what;
};
