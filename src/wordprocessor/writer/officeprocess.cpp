#include "wordprocessor/writer/officeprocess.h"

#include "wordprocessor/api/wordprocessor.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <QFileInfo>
#include <QStandardPaths>
#include <spawn.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <system_error>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

// posix_spawn wants the attributes and file actions as C objects that must be destroyed again.
class SpawnSettings {
public:
    SpawnSettings() {
        posix_spawnattr_init(&attributes);
        // SIGPIPE is ignored in this process while the bridge runs; the office starts without that.
        sigset_t defaults;
        sigemptyset(&defaults);
        sigaddset(&defaults, SIGPIPE);
        posix_spawnattr_setsigdefault(&attributes, &defaults);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGDEF);
        posix_spawn_file_actions_init(&fileActions);
        posix_spawn_file_actions_addopen(&fileActions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&fileActions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_adddup2(&fileActions, STDOUT_FILENO, STDERR_FILENO);
    }
    ~SpawnSettings() {
        posix_spawn_file_actions_destroy(&fileActions);
        posix_spawnattr_destroy(&attributes);
    }
    SpawnSettings(const SpawnSettings&) = delete;
    SpawnSettings& operator=(const SpawnSettings&) = delete;

    posix_spawnattr_t attributes{};
    posix_spawn_file_actions_t fileActions{};
};

// Takes write permission for the group and others out of the process's umask while it lives: the
// office makes its pipe's file with the umask it starts with, and a pipe that other accounts may
// write to is never connected to. The umask is the whole process's, so meanwhile a file made by
// another thread gets at most narrower permissions, never wider ones.
class OwnerOnlyWrites {
public:
    OwnerOnlyWrites()
        : m_saved(::umask(S_IRWXG | S_IRWXO)) {
        ::umask(m_saved | S_IWGRP | S_IWOTH);
    }
    ~OwnerOnlyWrites() { ::umask(m_saved); }
    OwnerOnlyWrites(const OwnerOnlyWrites&) = delete;
    OwnerOnlyWrites& operator=(const OwnerOnlyWrites&) = delete;

private:
    mode_t m_saved;
};

QString describeEnd(int status) {
    if (WIFSIGNALED(status))
        return QStringLiteral("ended by signal %1").arg(WTERMSIG(status));
    return QStringLiteral("exit status %1").arg(WEXITSTATUS(status));
}

} // namespace

std::unique_ptr<OfficeProcess> OfficeProcess::start(const QString& program,
                                                    const QStringList& arguments) {
    std::vector<std::string> words{QFile::encodeName(program).toStdString()};
    for (const QString& argument : arguments)
        words.push_back(argument.toLocal8Bit().toStdString());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    const SpawnSettings settings;
    pid_t id = 0;
    const OwnerOnlyWrites ownerOnly;
    const int error = posix_spawn(&id, argv.front(), &settings.fileActions, &settings.attributes,
                                  argv.data(), environ);
    if (error != 0) {
        throw RuntimeError(
            ErrorNumber::CannotCreateObject,
            QStringLiteral("%1: %2").arg(program, QString::fromLocal8Bit(std::strerror(error))));
    }
    return std::unique_ptr<OfficeProcess>(new OfficeProcess(id));
}

OfficeProcess::~OfficeProcess() {
    if (m_state != State::Running)
        return;
    // Waited for in the background, so that it never lingers as a zombie once it ends.
    const auto id = static_cast<pid_t>(m_id);
    try {
        std::thread([id] { ::waitpid(id, nullptr, 0); }).detach();
    } catch (const std::system_error&) {
        // Without a thread to spare it stays a zombie until this program ends; no harm beyond.
    }
}

OfficeProcess::State OfficeProcess::state() {
    if (m_state != State::Running)
        return m_state;
    int status = 0;
    const pid_t ended = ::waitpid(static_cast<pid_t>(m_id), &status, WNOHANG);
    if (ended == 0)
        return m_state;
    if (ended < 0) {
        m_state = State::Failed;
        m_failure = QString::fromLocal8Bit(std::strerror(errno));
    } else if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
        m_state = State::Exited;
    } else {
        m_state = State::Failed;
        m_failure = describeEnd(status);
    }
    return m_state;
}

QString findOfficeProgram() {
    for (const QString& name : {QStringLiteral("soffice"), QStringLiteral("libreoffice")}) {
        const QString found = QStandardPaths::findExecutable(name);
        if (!found.isEmpty())
            return found;
    }
    const QFileInfo own(QStringLiteral(SCARABO_LIBREOFFICE_PROGRAM_DIR "/soffice"));
    return own.isExecutable() ? own.filePath() : QString();
}
