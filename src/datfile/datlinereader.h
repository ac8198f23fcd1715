#pragma once

#include <QByteArray>
#include <QString>

// The lines of a data file. The file is read in one go, so it is closed again before any line is
// looked at. CR LF or a lone CR ends a line; a lone LF stays inside its line; the last line may
// lack its line end. CR and LF are single bytes in every code page a data file may use, and never
// part of another character, so lines are found in the bytes.
class DatLineReader {
public:
    // Throws RuntimeError (53, 75, 76) when the file cannot be read.
    explicit DatLineReader(const QString& path);

    bool atEnd() const { return m_pos >= m_bytes.size(); }
    // The next line without its line end, in the system's code page; throws RuntimeError 62 when no
    // line is left.
    QByteArray readLineBytes();
    // The next line, decoded.
    QString readLine();

private:
    QByteArray m_bytes;
    qsizetype m_pos = 0;
};
