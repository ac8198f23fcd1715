// office_probe PIPE DOCX ODT: stores the active text document of the office that listens on the
// pipe as .docx and .odt, unchanged, for describe_document.py. Run as the office's own user; the
// pipe is checked as the program checks it. Exit status 1 when there is no such office or document.
#include "storedcopies.h"
#include "wordprocessor/writer/officeconnection.h"
#include "wordprocessor/writer/unostring.h"

#include <cstdio>
#include <QFileInfo>
#include <QString>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fputs("usage: office_probe PIPE DOCX ODT\n", stderr);
        return 2;
    }
    // The office writes the files, so it gets them as absolute paths.
    const auto file = [argv](int index) {
        return QFileInfo(QString::fromLocal8Bit(argv[index])).absoluteFilePath();
    };
    try {
        const auto office = OfficeConnection::open(QString::fromLocal8Bit(argv[1]),
                                                   std::make_shared<AbortSwitch>());
        storeCopies(TextDocuments::active(office->desktop()), file(2), file(3));
        return 0;
    } catch (const RuntimeError& error) {
        std::fprintf(stderr, "%s\n", error.what());
    } catch (const css::uno::Exception& error) {
        std::fprintf(stderr, "%s\n", qPrintable(toQString(error.Message)));
    }
    return 1;
}
