#include "fakexdgopen.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <stdexcept>

FakeXdgOpen& FakeXdgOpen::installed() {
    static FakeXdgOpen fake;
    return fake;
}

FakeXdgOpen::FakeXdgOpen()
    : m_recordFile(m_folder.filePath(QStringLiteral("calls.txt"))) {
    QFile script(m_folder.filePath(QStringLiteral("xdg-open")));
    const QString body =
        QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$@\" >> '%1'\n").arg(m_recordFile);
    if (!m_folder.isValid() || !script.open(QIODevice::WriteOnly) ||
        script.write(body.toUtf8()) != body.toUtf8().size() ||
        !script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
        throw std::runtime_error("cannot write the stand-in xdg-open");
    script.close();
    const QByteArray path = QFile::encodeName(m_folder.path()) + ':' + qgetenv("PATH");
    qputenv("PATH", path);
}

void FakeXdgOpen::clear() {
    QFile::remove(m_recordFile);
}

QStringList FakeXdgOpen::waitForArguments(int count, int timeoutMs) const {
    // Running out of time is for the caller to judge from what arrived.
    static_cast<void>(
        QTest::qWaitFor([&] { return recordedArguments().size() >= count; }, timeoutMs));
    return recordedArguments();
}

QStringList FakeXdgOpen::recordedArguments() const {
    QFile record(m_recordFile);
    if (!record.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromUtf8(record.readAll());
    // Only whole lines count; a line still being written waits for the next look.
    const qsizetype end = text.lastIndexOf(u'\n');
    return end < 0 ? QStringList() : text.left(end).split(u'\n');
}
