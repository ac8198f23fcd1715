#pragma once

#include <QStringList>
#include <QTemporaryDir>

// A stand-in xdg-open, put first on PATH for the rest of the test program, that writes each
// argument it is started with as a line of a record file. Installed once: Qt remembers the
// launcher it found the first time.
class FakeXdgOpen {
public:
    static FakeXdgOpen& installed();

    // Forgets earlier calls, and answers with success again.
    void clear();
    // From now on ends with this exit status, as xdg-open does when nothing opens the target.
    void failWith(int status);

    // The arguments recorded so far, one per line, once at least `count` have arrived; what has
    // arrived when the time runs out otherwise.
    QStringList waitForArguments(int count, int timeoutMs = 10000) const;

private:
    FakeXdgOpen();
    QStringList recordedArguments() const;

    QTemporaryDir m_folder;
    QString m_recordFile;
    QString m_statusFile;
};
