#include "datfile/datlinereader.h"

#include "datfile/fileerrors.h"
#include "datfile/systemtext.h"
#include "platform/runtimeerror.h"

namespace {

// A UTF-8 file may begin with a byte order mark, which is no part of its first line.
qsizetype textStart(const QByteArray& bytes) {
    return systemCodePageIsUtf8() && bytes.startsWith("\xef\xbb\xbf") ? 3 : 0;
}

} // namespace

DatLineReader::DatLineReader(const QString& path)
    : m_bytes(readWholeFile(path))
    , m_pos(textStart(m_bytes)) {}

QByteArray DatLineReader::readLineBytes() {
    if (atEnd())
        throw RuntimeError(ErrorNumber::InputPastEndOfFile);
    qsizetype end = m_bytes.indexOf('\r', m_pos);
    if (end < 0)
        end = m_bytes.size();
    QByteArray line = m_bytes.sliced(m_pos, end - m_pos);
    m_pos = end + 1;
    if (m_pos < m_bytes.size() && m_bytes[m_pos] == '\n')
        ++m_pos;
    return line;
}

QString DatLineReader::readLine() {
    return decodeSystemText(readLineBytes());
}
