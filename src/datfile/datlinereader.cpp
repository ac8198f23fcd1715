#include "datlinereader.h"

#include "fileerrors.h"
#include "runtimeerror.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace {

// Qt's decoder for the system code page takes a slow general path even when that code page is
// UTF-8; the UTF-8 decoder gives the same characters in about half the time.
bool systemCodePageIsUtf8() {
    static const bool isUtf8 = [] {
        QStringEncoder encoder(QStringConverter::System);
        return QByteArray(encoder(u"\u00e9\u20ac")) == QByteArray("\xc3\xa9\xe2\x82\xac");
    }();
    return isUtf8;
}

QString decodeSystemText(const QByteArray& bytes) {
    if (systemCodePageIsUtf8())
        return QString::fromUtf8(bytes);
    QStringDecoder decoder(QStringConverter::System);
    return decoder(bytes);
}

QString readSystemText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw fileReadOpenError(path, file);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw fileTransferError(path, file);
    return decodeSystemText(bytes);
}

} // namespace

DatLineReader::DatLineReader(const QString& path)
    : m_text(readSystemText(path)) {}

QStringView DatLineReader::readLine() {
    if (atEnd())
        throw RuntimeError(ErrorNumber::InputPastEndOfFile);
    const QStringView text(m_text);
    qsizetype end = text.indexOf(u'\r', m_pos);
    if (end < 0)
        end = text.size();
    const QStringView line = text.sliced(m_pos, end - m_pos);
    m_pos = end + 1;
    if (m_pos < text.size() && text[m_pos] == u'\n')
        ++m_pos;
    return line;
}
