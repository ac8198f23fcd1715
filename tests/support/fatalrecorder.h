#pragma once

#include <QString>
#include <stdexcept>

// Thrown by the recording handler so a fatal check unwinds out of the call under test.
struct FatalStopped : std::runtime_error {
    explicit FatalStopped(const QString& message)
        : std::runtime_error(message.toStdString()) {}
};

// While alive, fatal checks record their message and throw FatalStopped instead of ending the run.
class FatalRecorder {
public:
    FatalRecorder();
    ~FatalRecorder();
    FatalRecorder(const FatalRecorder&) = delete;
    FatalRecorder& operator=(const FatalRecorder&) = delete;

    const QString& lastMessage() const { return m_lastMessage; }

private:
    QString m_lastMessage;
};
