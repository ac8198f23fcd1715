#include "core/alphabet.h"

#include "datfile/clsdatfile.h"
#include "datfile/datlinereader.h"
#include "datfile/getwords.h"
#include "platform/appinfo.h"
#include "platform/runtimeerror.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

const QString pictureSuffix = QStringLiteral(".gif");
const QString sharpPictureSuffix = QStringLiteral("@2x.gif");

// The column of the table whose header row names it so, or -1.
qint16 columnNamed(const clsDatFile& table, QStringView name) {
    for (qint16 column = 0; column < table.Cols(); ++column) {
        if (table.Data(0, column).trimmed().compare(name, Qt::CaseInsensitive) == 0)
            return column;
    }
    return -1;
}

} // namespace

QString Alphabet::tablePath(const QString& applicationFolder) {
    return AppInfo::dataPath(applicationFolder, QStringLiteral("Alphabet.dat"));
}

QString Alphabet::imagesFolder(const QString& applicationFolder) {
    return AppInfo::dataPath(applicationFolder, QStringLiteral("Images/"));
}

QString Alphabet::picturePath(const QString& imagesFolder, const QString& entry) {
    return imagesFolder + entry + pictureSuffix;
}

QString Alphabet::sharpPicturePath(const QString& picturePath) {
    if (!picturePath.endsWith(pictureSuffix))
        return {};
    return picturePath.chopped(pictureSuffix.size()) + sharpPictureSuffix;
}

Alphabet::SignColumns Alphabet::signColumns(const clsDatFile& table) {
    return {columnNamed(table, u"Gardiner"), columnNamed(table, u"Sign"),
            columnNamed(table, u"Unicode")};
}

QString Alphabet::damage(const clsDatFile& table) {
    DatLineReader reader(table.FileName());
    reader.readLineBytes(); // the counts
    for (qint16 row = 0; row < table.Rows() && !reader.atEnd(); ++row) {
        const qsizetype fields = splitFields(reader.readLineBytes()).size();
        if (fields == table.Cols())
            continue;
        return QCoreApplication::translate(
                   "Alphabet",
                   "%1, line %2: %3 fields where the table has %4; the %5 rows from there on "
                   "were not read.")
            .arg(QFileInfo(table.FileName()).fileName())
            .arg(row + 2)
            .arg(fields)
            .arg(table.Cols())
            .arg(table.Rows() - row);
    }
    return {};
}

Alphabet Alphabet::load(const QString& applicationFolder) {
    const QString file = tablePath(applicationFolder);
    auto table = std::make_shared<clsDatFile>();
    table->setFileName(file);
    try {
        table->Load();
    } catch (const RuntimeError& error) {
        if (error.description().contains(file))
            throw;
        throw RuntimeError(error.number(), QStringLiteral("%1: %2").arg(file, error.description()));
    }
    return Alphabet(std::move(table), imagesFolder(applicationFolder));
}

Alphabet::Alphabet(std::shared_ptr<const clsDatFile> table, QString imagesFolder)
    : m_table(std::move(table))
    , m_imagesFolder(std::move(imagesFolder)) {}

const AlphabetIndex& Alphabet::index() const {
    return m_index.of(m_table->Col(0));
}
