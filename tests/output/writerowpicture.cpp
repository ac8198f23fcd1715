// Writes the picture of a converted row, for the scripts that check it with other programs:
//   writerowpicture FOLDER TEXT FILE [transparent] [letters] [2x] [row] [rtl] [vertical]
//                   [cartouche] [mm=MM] [dpi=N]
// FOLDER holds Alphabet.dat and Images/ as the program's folder does. Exits 1 with the error's
// message when the picture cannot be written, 2 on bad usage.

#include "output/rowpicture.h"
#include "platform/runtimeerror.h"
#include "rowoftext.h"

#include <QGuiApplication>
#include <QTextStream>

namespace {

RowPictureOptions optionsOf(const QStringList& flags) {
    RowPictureOptions options;
    options.transparent = flags.contains(u"transparent");
    options.letters = flags.contains(u"letters");
    options.scale = flags.contains(u"2x") ? 2.0 : 1.0;
    if (flags.contains(u"row"))
        options.writing.arrangement = WritingOptions::Arrangement::Row;
    if (flags.contains(u"rtl"))
        options.writing.direction = WritingOptions::Direction::RightToLeft;
    if (flags.contains(u"vertical"))
        options.writing.direction = WritingOptions::Direction::Columns;
    options.writing.cartouche = flags.contains(u"cartouche");
    for (const QString& flag : flags) {
        if (flag.startsWith(u"mm="))
            options.signMillimetres = flag.mid(3).toDouble();
        if (flag.startsWith(u"dpi="))
            options.dpi = flag.mid(4).toInt();
    }
    return options;
}

} // namespace

int main(int argc, char** argv) {
    const QGuiApplication application(argc, argv);
    const QStringList arguments = QGuiApplication::arguments().mid(1);
    QTextStream err(stderr);
    if (arguments.size() < 3) {
        err << "usage: writerowpicture FOLDER TEXT FILE [transparent] [letters] [2x] [row] [rtl] "
               "[vertical] [cartouche] [mm=MM] [dpi=N]\n";
        return 2;
    }
    try {
        saveRowPicture(rowOfText(arguments.at(0), arguments.at(1)), arguments.at(2),
                       optionsOf(arguments.mid(3)));
    } catch (const RuntimeError& error) {
        err << error.message() << '\n';
        return 1;
    }
    return 0;
}
