#include "output/rowhtml.h"

#include <QFile>
#include <QXmlStreamWriter>

namespace RowHtml {

QString dataUri(const QByteArray& bytes, const QString& mimeType) {
    return QStringLiteral("data:%1;base64,%2").arg(mimeType, QString::fromLatin1(bytes.toBase64()));
}

void writeGlyph(QXmlStreamWriter& xml, const QString& source, const QString& alt,
                const QString& title) {
    xml.writeEmptyElement(QStringLiteral("img"));
    xml.writeAttribute(QStringLiteral("src"), source);
    xml.writeAttribute(QStringLiteral("alt"), alt);
    xml.writeAttribute(QStringLiteral("title"), title);
}

QString clipboardHtml(const GlyphRow& row) {
    QString html;
    QXmlStreamWriter xml(&html);
    xml.writeStartElement(QStringLiteral("p"));
    for (const RowGlyph& glyph : row.glyphs()) {
        QFile file(glyph.picture);
        if (file.open(QIODevice::ReadOnly))
            writeGlyph(xml, dataUri(file.readAll(), QStringLiteral("image/gif")), glyph.letters,
                       glyph.label());
        else
            xml.writeCharacters(glyph.letters);
    }
    xml.writeEndElement();
    if (!row.unicodeText().isEmpty())
        xml.writeTextElement(QStringLiteral("p"), row.unicodeText());
    return html;
}

} // namespace RowHtml
