#include "fatalrecorder.h"

#include "datfile/fatalcheck.h"

FatalRecorder::FatalRecorder() {
    FatalCheck::setHandler([this](const QString& message) {
        m_lastMessage = message;
        throw FatalStopped(message);
    });
}

FatalRecorder::~FatalRecorder() {
    FatalCheck::setHandler({});
}
