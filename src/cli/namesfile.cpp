#include "cli/namesfile.h"

#include "datfile/fileerrors.h"
#include "platform/runtimeerror.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringDecoder>

namespace {

QString translated(const char* text) {
    return QCoreApplication::translate("NamesFile", text);
}

// Error 6 (overflow), told in the file's own words rather than as "Overflow".
RuntimeError pastLimit(const QString& description) {
    return RuntimeError(int(ErrorNumber::Overflow), description);
}

RuntimeError tooLarge(const QString& path) {
    return pastLimit(translated("%1: a file of names may hold at most %2 MB")
                         .arg(path)
                         .arg(NamesFile::LargestFile / (1024 * 1024)));
}

// The names of a file's text as it comes in pieces of any size.
class NameLines {
public:
    explicit NameLines(const QString& path)
        : m_path(path) {}

    void take(QByteArrayView bytes) {
        // The decoder keeps a character cut between two pieces, and drops a leading byte-order
        // mark, as Windows editors write one.
        for (const QChar c : QString(m_utf8(bytes))) {
            if (c == u'\n' || c == u'\r')
                endLine();
            else
                addToLine(c);
        }
    }

    QStringList names() {
        endLine();
        return m_names;
    }

private:
    void addToLine(QChar c) {
        if (m_line.size() == NamesFile::LongestLine)
            throw pastLimit(translated("%1, line %2: a line may hold at most %3 characters")
                                .arg(m_path)
                                .arg(m_lineNumber)
                                .arg(NamesFile::LongestLine));
        m_line += c;
    }

    // A CR LF ends one line and adds a blank one, which is skipped like any other.
    void endLine() {
        const QString name = m_line.trimmed();
        m_line.clear();
        ++m_lineNumber;
        if (name.isEmpty())
            return;
        if (m_names.size() == NamesFile::MostNames)
            throw pastLimit(translated("%1: a batch may hold at most %2 names")
                                .arg(m_path)
                                .arg(NamesFile::MostNames));
        m_names.append(name);
    }

    QString m_path;
    QStringDecoder m_utf8{QStringDecoder::Utf8};
    QString m_line;
    qint64 m_lineNumber = 1;
    QStringList m_names;
};

} // namespace

namespace NamesFile {

QStringList read(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        throw fileReadOpenError(path, file);
    // A regular file's size is known before it is read; a device or a pipe is counted as it comes.
    if (file.size() > LargestFile)
        throw tooLarge(path);
    NameLines lines(path);
    QByteArray piece(64 * 1024, Qt::Uninitialized);
    for (qint64 total = 0;;) {
        const qint64 got = file.read(piece.data(), piece.size());
        if (got < 0)
            throw fileTransferError(path, file);
        if (got == 0)
            return lines.names();
        total += got;
        if (total > LargestFile)
            throw tooLarge(path);
        lines.take(QByteArrayView(piece.constData(), got));
    }
}

} // namespace NamesFile
