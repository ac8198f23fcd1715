// Replays saved inputs through the fuzz target it is linked with, the way libFuzzer runs one input:
// every file named on the command line, and every file in a folder named there. A finding aborts
// the program, so a replay that ends normally found nothing.

#include <cstdint>
#include <cstdio>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

QStringList inputsAt(const QString& path) {
    if (!QFileInfo(path).isDir())
        return {path};
    QStringList inputs;
    const QDir folder(path);
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden, QDir::Name))
        inputs.append(folder.filePath(name));
    return inputs;
}

bool replay(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
        return false;
    }
    const QByteArray bytes = file.readAll();
    std::fprintf(stderr, "replaying %s\n", qPrintable(path));
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                           static_cast<std::size_t>(bytes.size()));
    return true;
}

} // namespace

int main(int argc, char** argv) {
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        for (const QString& input : inputsAt(QFile::decodeName(argv[i]))) {
            if (!replay(input))
                return 1;
            ++replayed;
        }
    }
    std::printf("%d inputs replayed, no findings\n", replayed);
    return replayed > 0 ? 0 : 1;
}
