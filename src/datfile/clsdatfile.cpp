#include "datfile/clsdatfile.h"

#include "datfile/datlinereader.h"
#include "datfile/fatalcheck.h"
#include "datfile/getwords.h"
#include "datfile/savefile.h"
#include "platform/runtimeerror.h"

#include <algorithm>
#include <limits>
#include <QDir>
#include <QFileInfo>
#include <QList>
#include <QLoggingCategory>
#include <QStringEncoder>
#include <tuple>
#include <utility>

// Developer trace of odd calls; off unless enabled with
// QT_LOGGING_RULES="scarabo.datfile.debug=true".
Q_LOGGING_CATEGORY(lcDatFile, "scarabo.datfile", QtInfoMsg)

namespace {

constexpr qint16 maxCount = std::numeric_limits<qint16>::max();
// What a line may hold to be read back: GetWords's fields and characters.
constexpr qsizetype maxFieldsPerLine = 80;
constexpr qsizetype maxLineLength = 32765;

// The line a writer error names: a row by its number, or the header line.
constexpr qint16 headerLine = -1;

QString lineName(qint16 row) {
    return row == headerLine ? QStringLiteral("header line") : QStringLiteral("row %1").arg(row);
}

// The field in quotes, a quote inside it doubled, appended without a copy of its own.
void appendQuoted(QString& text, QStringView field) {
    text += u'"';
    for (qsizetype quote = field.indexOf(u'"'); quote >= 0; quote = field.indexOf(u'"')) {
        text += field.first(quote + 1);
        text += u'"';
        field = field.sliced(quote + 1);
    }
    text += field;
    text += u'"';
}

// A count in a message keeps a sign position: 0 reads " 0" and -3 reads "-3".
QString signedCount(qint16 n) {
    return n < 0 ? QString::number(n) : u' ' + QString::number(n);
}

void requireCount(qint16 n, QLatin1String member) {
    if (n < 1)
        FatalCheck::stop(
            QStringLiteral("clsDatFile.%1 out of bounds (%2)").arg(member, signedCount(n)));
}

bool isAsciiDigit(QChar ch) {
    return ch >= u'0' && ch <= u'9';
}

// A count as an error message shows it: its first characters only, and control characters (line
// feeds, NULs) as blanks, so that a file of garbage still gives a readable message.
QString shownCount(QStringView token) {
    constexpr qsizetype shownLength = 20;
    QString shown = token.first(std::min(token.size(), shownLength)).toString();
    std::replace_if(
        shown.begin(), shown.end(), [](QChar ch) { return ch.category() == QChar::Other_Control; },
        u' ');
    return token.size() > shownLength ? shown + u'\u2026' : shown;
}

qint16 parseCount(QStringView token) {
    const bool signedToken = token.startsWith(u'-') || token.startsWith(u'+');
    const QStringView digits = token.sliced(signedToken ? 1 : 0);
    if (digits.isEmpty() || !std::all_of(digits.begin(), digits.end(), isAsciiDigit))
        throw RuntimeError(ErrorNumber::TypeMismatch,
                           QStringLiteral("count \"%1\" is not a number").arg(shownCount(token)));
    bool ok = false;
    const qlonglong value = token.toLongLong(&ok);
    if (!ok || value < std::numeric_limits<qint16>::min() || value > maxCount)
        throw RuntimeError(ErrorNumber::Overflow,
                           QStringLiteral("count %1").arg(shownCount(token)));
    return static_cast<qint16>(value);
}

// The next number of the counts line: it ends at a comma, a blank or the line end.
QStringView takeCountToken(QStringView& rest) {
    const auto skipBlanks = [&rest](qsizetype pos) {
        while (pos < rest.size() && rest[pos] == u' ')
            ++pos;
        return pos;
    };
    const qsizetype start = skipBlanks(0);
    qsizetype end = start;
    while (end < rest.size() && rest[end] != u',' && rest[end] != u' ')
        ++end;
    const QStringView token = rest.sliced(start, end - start);
    qsizetype next = skipBlanks(end);
    if (next < rest.size() && rest[next] == u',')
        ++next;
    rest = rest.sliced(next);
    return token;
}

std::pair<qint16, qint16> readCounts(QStringView line) {
    const qint16 rows = parseCount(takeCountToken(line));
    const qint16 cols = parseCount(takeCountToken(line));
    return {rows, cols};
}

} // namespace

bool clsDatFile::Exists() const {
    const QFileInfo info(myFileName);
    if (myFileName.isEmpty() || info.fileName().isEmpty())
        return false;
    // Only * and ? are wildcards in a data-file name; a '[' means itself.
    QString pattern = info.fileName();
    pattern.replace(u'[', QStringLiteral("[[]"));
#ifdef Q_OS_WIN
    constexpr QDir::Filters nameCase = {};
#else
    constexpr QDir::Filters nameCase = QDir::CaseSensitive;
#endif
    return !info.dir().entryList({pattern}, QDir::Files | nameCase).isEmpty();
}

QString clsDatFile::FileType() const {
    switch (myFmt) {
    case fmtDat:
        return QStringLiteral("dat");
    case fmtCsv:
    case fmtCsvHeaders:
        return QStringLiteral("csv");
    }
    qCDebug(lcDatFile).noquote()
        << QStringLiteral("clsDatFile.FileType: error in myFmt %1").arg(myFmt);
    return QStringLiteral("dat");
}

void clsDatFile::setRows(qint16 n) {
    requireCount(n, QLatin1String("Rows"));
    myRows = n;
}

void clsDatFile::setCols(qint16 n) {
    requireCount(n, QLatin1String("Cols"));
    myCols = n;
}

void clsDatFile::setData(qint16 pRow, qint16 pCol, const QString& pValue) {
    if (cellInRange(pRow, pCol))
        myData.setCell(pRow, pCol, pValue);
}

QString clsDatFile::Data(qint16 pRow, qint16 pCol) const {
    return cellInRange(pRow, pCol) ? myData.cell(pRow, pCol) : QString();
}

QStringList clsDatFile::Col(qint16 x) const {
    QStringList column;
    column.reserve(std::max<qint16>(myRows, 0));
    for (qint16 row = 0; row < myRows; ++row)
        column.append(Data(row, x));
    return column;
}

void clsDatFile::MoveRowUp(qint16 pRow) {
    if (pRow < 1 || pRow >= myRows)
        return;
    // With the counts raised and no Clear, a cell of the move may lie past the storage, where a
    // write would be lost; refused before anything changes.
    if (!myData.covers(static_cast<qint16>(pRow + 1), myCols))
        throw RuntimeError(ErrorNumber::SubscriptOutOfRange,
                           QStringLiteral("rows %1 and %2 reach past the cells stored; Clear the "
                                          "table after changing its counts")
                               .arg(pRow - 1)
                               .arg(pRow));
    const auto above = static_cast<qint16>(pRow - 1);
    for (qint16 col = 0; col < myCols; ++col) {
        const QString upper = myData.cell(above, col);
        myData.setCell(above, col, myData.cell(pRow, col));
        myData.setCell(pRow, col, upper);
    }
}

void clsDatFile::Clear() {
    myData.reset(myRows, myCols);
}

void clsDatFile::Load() {
    switch (myFmt) {
    case fmtDat:
        LoadDat();
        return;
    case fmtCsv:
        LoadCsv(false);
        return;
    case fmtCsvHeaders:
        LoadCsv(true);
        return;
    }
    qCDebug(lcDatFile).noquote()
        << QStringLiteral("clsDatFile.Load: Fn=%1 Invalid fmt %2").arg(myFileName).arg(myFmt);
    throw unknownFormat();
}

void clsDatFile::Save() const {
    switch (myFmt) {
    case fmtDat:
        SaveDat();
        return;
    case fmtCsv:
        SaveCsv(false);
        return;
    case fmtCsvHeaders:
        SaveCsv(true);
        return;
    }
    qCDebug(lcDatFile).noquote()
        << QStringLiteral("clsDatFile.Save: Fn=%1 Invalid fmt %2").arg(myFileName).arg(myFmt);
    throw unknownFormat();
}

void clsDatFile::LoadDat() {
    requireFileName();
    DatLineReader reader(myFileName);
    std::tie(myRows, myCols) = readCounts(reader.readLine());
    Clear();
    for (qint16 row = 0; row < myRows; ++row) {
        FieldRow fields = splitFields(reader.readLineBytes());
        if (fields.size() != myCols)
            break;
        myData.setRow(row, std::move(fields));
    }
}

// The whole file is in memory, so the rows split while counting are the rows that get stored.
void clsDatFile::LoadCsv(bool pHeaderLine) {
    requireFileName();
    DatLineReader reader(myFileName);
    if (pHeaderLine)
        reader.readLineBytes();
    QList<FieldRow> rows{splitFields(reader.readLineBytes())};
    setCols(static_cast<qint16>(rows.first().size()));
    while (!reader.atEnd()) {
        FieldRow fields = splitFields(reader.readLineBytes());
        if (fields.size() != myCols)
            break;
        if (rows.size() == maxCount)
            throw RuntimeError(ErrorNumber::Overflow,
                               QStringLiteral("more than %1 rows").arg(maxCount));
        rows.append(std::move(fields));
    }
    setRows(static_cast<qint16>(rows.size()));
    Clear();
    for (qint16 row = 0; row < myRows; ++row)
        myData.setRow(row, std::move(rows[row]));
}

void clsDatFile::SaveDat() const {
    requireSaveFileName();
    QString text = QStringLiteral("%1,%2\r\n").arg(myRows).arg(myCols);
    appendRows(text);
    writeFile(text);
}

void clsDatFile::SaveCsv(bool pHeaderLine) const {
    requireSaveFileName();
    QString text;
    if (pHeaderLine) {
        // Checked before the file is touched, so a missing name never empties it.
        if (myCols < 1 || myHeaders.size() < myCols)
            throw RuntimeError(
                ErrorNumber::SubscriptOutOfRange,
                QStringLiteral("%1 header names for %2 columns").arg(myHeaders.size()).arg(myCols));
        appendQuotedLine(text, myHeaders.first(myCols), headerLine);
    }
    appendRows(text);
    writeFile(text);
}

QString clsDatFile::QuoteField(const QString& pText) {
    QString quoted;
    appendQuoted(quoted, pText);
    return quoted;
}

bool clsDatFile::cellInRange(qint16 pRow, qint16 pCol) const {
    return pRow >= 0 && pRow < myRows && pCol >= 0 && pCol < myCols;
}

void clsDatFile::requireFileName() const {
    if (myFileName.isEmpty())
        FatalCheck::stop(QStringLiteral("clsDatFile.Load: Filename not set"));
}

void clsDatFile::requireSaveFileName() const {
    if (!myFileName.isEmpty())
        return;
    qCDebug(lcDatFile).noquote() << QStringLiteral("clsDatFile.Save: Filename not set");
    throw RuntimeError(ErrorNumber::BadFileNameOrNumber,
                       QStringLiteral("the table has no file name"));
}

RuntimeError clsDatFile::unknownFormat() const {
    return RuntimeError(ErrorNumber::InvalidProcedureCall,
                        QStringLiteral("no file layout has the code %1").arg(myFmt));
}

// Checked field by field as the line grows, so that the error names the column at fault.
void clsDatFile::appendQuotedLine(QString& text, const QStringList& fields, qint16 row) {
    if (fields.size() > maxFieldsPerLine)
        throw RuntimeError(ErrorNumber::SubscriptOutOfRange,
                           QStringLiteral("%1, column %2: a line holds at most %3 fields")
                               .arg(lineName(row))
                               .arg(maxFieldsPerLine)
                               .arg(maxFieldsPerLine));
    const qsizetype lineStart = text.size();
    for (qsizetype col = 0; col < fields.size(); ++col) {
        if (fields[col].contains(u'\r'))
            throw RuntimeError(ErrorNumber::InvalidProcedureCall,
                               QStringLiteral("%1, column %2 holds a CR, which would end its line")
                                   .arg(lineName(row))
                                   .arg(col));
        if (col > 0)
            text += u',';
        appendQuoted(text, fields[col]);
        if (text.size() - lineStart > maxLineLength)
            throw RuntimeError(ErrorNumber::Overflow,
                               QStringLiteral("%1, column %2: the line would pass %3 characters")
                                   .arg(lineName(row))
                                   .arg(col)
                                   .arg(maxLineLength));
    }
    text += QLatin1String("\r\n");
}

void clsDatFile::appendRows(QString& text) const {
    QStringList cells(std::max<qint16>(myCols, 0));
    for (qint16 row = 0; row < myRows; ++row) {
        for (qint16 col = 0; col < myCols; ++col)
            cells[col] = Data(row, col);
        appendQuotedLine(text, cells, row);
    }
}

// Written through a temporary file that replaces the old one only when every byte is out, or in
// place where the folder takes no new file.
void clsDatFile::writeFile(const QString& text) const {
    QStringEncoder encoder(QStringConverter::System);
    const QByteArray bytes = encoder(text);
    saveFile(myFileName, bytes, SaveFallback::WriteInPlace);
}
