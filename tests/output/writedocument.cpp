// Writes a document of converted rows, for the script that checks it with other programs:
//   writedocument FOLDER FILE [letters] [cartouche] [mm=N] [page=sheet|cards|text] [fit] [print]
//                 -- TEXT...
// FOLDER is the program's folder (Alphabet.dat, Images/, fonts/). One name a text, on text pages
// unless page= says otherwise; "fit" fills each sheet or card with its name. "print" prints
// the rows through QPrinter to FILE as PDF instead of saving them. Exits 1 with the error's message
// when the document cannot be written, 2 on bad usage.

#include "core/converter.h"
#include "gui/modmain.h"
#include "output/document.h"
#include "platform/runtimeerror.h"

#include <QDir>
#include <QGuiApplication>
#include <QPrinter>
#include <QTextStream>

namespace {

DocumentOptions optionsOf(const QStringList& flags) {
    DocumentOptions options;
    options.letters = flags.contains(u"letters");
    options.cartouche = flags.contains(u"cartouche");
    options.fitToPage = flags.contains(u"fit");
    for (const QString& flag : flags) {
        if (flag.startsWith(u"mm="))
            options.glyphMillimetres = flag.mid(3).toDouble();
        if (flag == u"page=sheet")
            options.page = PageKind::Sheet;
        if (flag == u"page=cards")
            options.page = PageKind::Cards;
    }
    return options;
}

QList<GlyphRow> rowsOf(const QString& folder, const QStringList& texts) {
    const Converter converter(Alphabet::load(folder));
    QList<GlyphRow> rows;
    for (const QString& text : texts)
        rows.append(converter.row(text, Converter::WholeText));
    return rows;
}

void print(const QList<GlyphRow>& rows, const QString& path, const DocumentOptions& options) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageLayout(documentPageLayout(options.paper));
    printDocument(rows, printer, options);
}

} // namespace

int main(int argc, char** argv) {
    const QGuiApplication application(argc, argv);
    const QStringList arguments = QGuiApplication::arguments().mid(1);
    const qsizetype texts = arguments.indexOf(u"--"_qs);
    QTextStream err(stderr);
    if (arguments.size() < 2 || texts < 2) {
        err << "usage: writedocument FOLDER FILE [letters] [cartouche] [mm=N] "
               "[page=sheet|cards|text] [fit] [print] -- TEXT...\n";
        return 2;
    }
    const QString folder = arguments.at(0);
    const QStringList flags = arguments.mid(2, texts - 2);
    modMain::LoadFonts(folder);
    try {
        const QList<GlyphRow> rows = rowsOf(folder, arguments.mid(texts + 1));
        if (flags.contains(u"print"))
            print(rows, arguments.at(1), optionsOf(flags));
        else
            saveDocument(rows, arguments.at(1), optionsOf(flags));
    } catch (const RuntimeError& error) {
        err << error.message() << '\n';
        return 1;
    }
    return 0;
}
