#pragma once

#include <QString>
#include <QStringView>

// The lines of a data file, read and decoded from the system's code page in one go, so the file is
// closed again before any line is looked at. CR LF or a lone CR ends a line; a lone LF stays inside
// its line; the last line may lack its line end.
class DatLineReader {
public:
    // Throws RuntimeError (53, 75, 76) when the file cannot be read.
    explicit DatLineReader(const QString& path);

    bool atEnd() const { return m_pos >= m_text.size(); }
    // The next line without its line end; throws RuntimeError 62 when no line is left.
    QStringView readLine();

private:
    QString m_text;
    qsizetype m_pos = 0;
};
