#pragma once

#include <memory>
#include <QString>
#include <QStringList>

// An office started by this program: in a session of its own, with standard input and output on
// /dev/null, so that it outlives the program, never writes into its terminal and is never ended
// along with it (a QProcess would end it). Its process id is also its process group id. Its umask
// keeps group and others from writing to the files it makes, its pipe among them.
class OfficeProcess {
public:
    enum class State { Running, Exited, Failed };

    // Throws RuntimeError 429 when the program cannot be run.
    static std::unique_ptr<OfficeProcess> start(const QString& program,
                                                const QStringList& arguments);
    // A process that still runs is left running and reaped once it ends.
    ~OfficeProcess();
    OfficeProcess(const OfficeProcess&) = delete;
    OfficeProcess& operator=(const OfficeProcess&) = delete;

    qint64 id() const { return m_id; }
    // Exited: ended with status 0; Failed: any other end, described by failure().
    State state();
    const QString& failure() const { return m_failure; }

private:
    explicit OfficeProcess(qint64 id)
        : m_id(id) {}

    qint64 m_id;
    State m_state = State::Running;
    QString m_failure;
};

// The office program to start: soffice or libreoffice on the PATH, else the one in LibreOffice's
// own program folder; empty when none is installed.
QString findOfficeProgram();
