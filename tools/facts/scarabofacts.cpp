// Facts of the program for scripts and the data generator, read from the program's own sources
// rather than written again in each of them:
//   scarabo-facts design                    the main window's client area and controls, in pixels
//   scarabo-facts convert ALPHABET TEXT...  the entries that each text converts to, as the window
//                                           converts it (one line per text, entries separated by
//                                           blanks)
//   scarabo-facts formats                   the types of file, the sign sizes and resolutions, as
//                                           CMake variables for the manual page (roff)
// Exits 1 with a message on standard error when the alphabet cannot be read, 2 on bad usage.

#include "core/alphabet.h"
#include "core/glyphmatcher.h"
#include "datfile/clsdatfile.h"
#include "gui/frmmaindesign.h"
#include "output/outputformats.h"
#include "platform/runtimeerror.h"
#include "platform/twips.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

namespace {

void printDesign(QTextStream& out) {
    out << "client " << pixelsFromTwips(frmMainDesign::ClientWidth) << ' '
        << pixelsFromTwips(frmMainDesign::ClientHeight) << '\n';
    for (const frmMainDesign::Control& control : frmMainDesign::Controls) {
        const QRect pixels = pixelsFromTwips(control.twips);
        out << control.name << ' ' << pixels.x() << ' ' << pixels.y() << ' ' << pixels.width()
            << ' ' << pixels.height() << '\n';
    }
}

void printConversions(QTextStream& out, const QString& alphabetFile, const QStringList& texts) {
    auto table = std::make_shared<clsDatFile>();
    table->setFileName(alphabetFile);
    table->Load();
    const Alphabet alphabet(table, QString());
    const AlphabetIndex& index = alphabet.index();
    for (const QString& text : texts) {
        QStringList entries;
        for (const qsizetype entry : GlyphMatcher::matchGlyphs(index, text))
            entries.append(index.alphabet().at(entry));
        out << entries.join(u' ') << '\n';
    }
}

// ".BR .pdf ,", ..., ".B .docx", "and", ".B .html": the suffixes as a roff list.
QString roffList(const QList<OutputFormat>& formats) {
    QStringList lines;
    for (qsizetype i = 0; i < formats.size(); ++i) {
        const bool beforeLastTwo = i + 2 < formats.size();
        lines.append((beforeLastTwo ? QStringLiteral(".BR .%1 ,") : QStringLiteral(".B .%1"))
                         .arg(formats.at(i).suffix()));
        if (i + 2 == formats.size())
            lines.append(QStringLiteral("and"));
    }
    return lines.join(QStringLiteral("\\n"));
}

void printFormats(QTextStream& out) {
    using enum OutputFormat::Kind;
    out << "set(SCARABO_DOCUMENT_TYPES \"" << roffList(OutputFormats::ofKind(Document)) << "\")\n"
        << "set(SCARABO_PICTURE_TYPES \"" << roffList(OutputFormats::ofKind(Picture)) << "\")\n"
        << "set(SCARABO_SMALLEST_GLYPH " << OutputFormats::SmallestGlyph << ")\n"
        << "set(SCARABO_LARGEST_GLYPH " << OutputFormats::LargestGlyph << ")\n"
        << "set(SCARABO_DEFAULT_GLYPH " << OutputFormats::DefaultGlyph << ")\n"
        << "set(SCARABO_SMALLEST_DPI " << OutputFormats::SmallestDpi << ")\n"
        << "set(SCARABO_LARGEST_DPI " << OutputFormats::LargestDpi << ")\n"
        << "set(SCARABO_DEFAULT_DPI " << OutputFormats::DefaultDpi << ")\n";
}

} // namespace

int main(int argc, char** argv) {
    const QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (arguments.value(0) == u"design" && arguments.size() == 1) {
        printDesign(out);
        return 0;
    }
    if (arguments.value(0) == u"formats" && arguments.size() == 1) {
        printFormats(out);
        return 0;
    }
    if (arguments.value(0) == u"convert" && arguments.size() >= 3) {
        try {
            printConversions(out, arguments.at(1), arguments.mid(2));
            return 0;
        } catch (const RuntimeError& error) {
            err << "scarabo-facts: " << arguments.at(1) << ": " << error.description() << '\n';
            return 1;
        }
    }
    err << "usage: scarabo-facts design | formats | convert ALPHABET TEXT...\n";
    return 2;
}
