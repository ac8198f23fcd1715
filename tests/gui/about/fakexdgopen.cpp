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
    : m_recordFile(m_folder.filePath(QStringLiteral("calls.txt")))
    , m_statusFile(m_folder.filePath(QStringLiteral("status.txt"))) {
    QFile script(m_folder.filePath(QStringLiteral("xdg-open")));
    const QString body = QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$@\" >> '%1'\n"
                                        "exit \"$(cat '%2' 2>/dev/null || echo 0)\"\n")
                             .arg(m_recordFile, m_statusFile);
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
    QFile::remove(m_statusFile);
}

void FakeXdgOpen::failWith(int status) {
    QFile file(m_statusFile);
    if (!file.open(QIODevice::WriteOnly) || file.write(QByteArray::number(status)) < 1)
        throw std::runtime_error("cannot set the stand-in xdg-open's exit status");
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
