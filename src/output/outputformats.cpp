#include "output/outputformats.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

QString translated(const char* text) {
    return QCoreApplication::translate("OutputFormats", text);
}

} // namespace

QString OutputFormat::filter() const {
    return QStringLiteral("%1 (*.%2)").arg(name, suffixes.join(QStringLiteral(" *.")));
}

namespace OutputFormats {

const QList<OutputFormat>& all() {
    using enum OutputFormat::Kind;
    static const QList<OutputFormat> formats{
        {{QStringLiteral("pdf")}, translated("PDF document"), Document},
        {{QStringLiteral("odt")}, translated("OpenDocument text"), Document},
        {{QStringLiteral("docx")}, translated("Word document"), Document},
        {{QStringLiteral("html"), QStringLiteral("htm")}, translated("Web page"), Document},
        {{QStringLiteral("png")}, translated("PNG picture"), Picture, true},
        {{QStringLiteral("svg")}, translated("SVG picture"), Picture},
    };
    return formats;
}

QList<OutputFormat> ofKind(OutputFormat::Kind kind) {
    QList<OutputFormat> formats;
    for (const OutputFormat& format : all()) {
        if (format.kind == kind)
            formats.append(format);
    }
    return formats;
}

const OutputFormat* of(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    for (const OutputFormat& format : all()) {
        if (format.suffixes.contains(suffix))
            return &format;
    }
    return nullptr;
}

bool isOfKind(const QString& path, OutputFormat::Kind kind) {
    const OutputFormat* format = of(path);
    return format && format->kind == kind;
}

bool isGlyphSize(double millimetres) {
    return millimetres >= SmallestGlyph && millimetres <= LargestGlyph;
}

bool isResolution(int dpi) {
    return dpi >= SmallestDpi && dpi <= LargestDpi;
}

QString suffixesText() {
    QStringList suffixes;
    for (const OutputFormat& format : all())
        suffixes.append(u'.' + format.suffix());
    return suffixes.join(QStringLiteral(", "));
}

} // namespace OutputFormats
