// Writes the picture of a converted row, for the scripts that check it with other programs:
//   writerowpicture FOLDER TEXT FILE [transparent] [letters] [2x]
// FOLDER holds Alphabet.dat and Images/ as the program's folder does. Exits 1 with the error's
// message when the picture cannot be written, 2 on bad usage.

#include "output/rowpicture.h"
#include "platform/runtimeerror.h"
#include "rowoftext.h"

#include <QGuiApplication>
#include <QTextStream>

int main(int argc, char** argv) {
    const QGuiApplication application(argc, argv);
    const QStringList arguments = QGuiApplication::arguments().mid(1);
    QTextStream err(stderr);
    if (arguments.size() < 3) {
        err << "usage: writerowpicture FOLDER TEXT FILE [transparent] [letters] [2x]\n";
        return 2;
    }
    const QStringList flags = arguments.mid(3);
    const RowPictureOptions options{flags.contains(u"transparent"), flags.contains(u"letters"),
                                    flags.contains(u"2x") ? 2.0 : 1.0};
    try {
        saveRowPicture(rowOfText(arguments.at(0), arguments.at(1)), arguments.at(2), options);
    } catch (const RuntimeError& error) {
        err << error.message() << '\n';
        return 1;
    }
    return 0;
}
