#include "datfile/systemtext.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

bool isAscii(QByteArrayView bytes) {
    unsigned char seen = 0;
    for (const char byte : bytes)
        seen |= static_cast<unsigned char>(byte);
    return seen < 0x80;
}

} // namespace

bool systemCodePageIsUtf8() {
    static const bool isUtf8 = [] {
        QStringEncoder encoder(QStringConverter::System);
        return QByteArray(encoder(u"\u00e9\u20ac")) == QByteArray("\xc3\xa9\xe2\x82\xac");
    }();
    return isUtf8;
}

// Most of a data file is ASCII, which reads the same in every code page a data file may use and
// takes the quickest conversion. Qt's decoder for the system code page takes a slow general path
// even when that code page is UTF-8; the UTF-8 decoder gives the same characters in half the time.
QString decodeSystemText(QByteArrayView bytes) {
    if (isAscii(bytes))
        return QString::fromLatin1(bytes);
    QStringDecoder decoder(
        systemCodePageIsUtf8() ? QStringConverter::Utf8 : QStringConverter::System,
        QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}
