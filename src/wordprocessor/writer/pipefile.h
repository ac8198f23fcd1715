#pragma once

#include <QString>
#include <sys/types.h>

// The file through which an office listening on a named pipe is reached. LibreOffice keeps these
// files in the shared temporary folder, where any account may create files, so one that another
// account could have put there or may write to is never connected to.
namespace PipeFile {

// Where this process's UNO runtime connects for the pipe: OSL_PIPE_<user id>_<name> in /tmp,
// else in /var/tmp, else in the folder the bootstrap variable OSL_SOCKET_PATH names (the first
// of them this process may write to, as the runtime itself chooses).
QString path(const QString& pipeName);

// What is at a pipe's path, looked at without following a link.
struct Finding {
    enum class Kind { Missing, Safe, Unsafe };
    Kind kind;
    QString problem; // why it is unsafe
};

// Safe is a socket that `owner` owns and neither its group nor others may write to.
Finding inspect(const QString& path, uid_t owner);

} // namespace PipeFile
