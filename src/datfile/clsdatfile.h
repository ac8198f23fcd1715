#pragma once

#include "datfile/cellgrid.h"
#include "platform/runtimeerror.h"

#include <QString>
#include <QStringList>

// An in-memory table of strings bound to one data file and one file layout. Counts are 16-bit.
// Misusing the counts or loading without a file name stops the program through FatalCheck; cell
// access outside the table is ignored or reads as empty; file errors reach the caller as
// RuntimeError. Layouts: fmtDat (a counts line, then one line per row), fmtCsv (one line per row),
// fmtCsvHeaders (a header line of column names, then one line per row).
//
// Saving replaces the file atomically where its folder lets a new file be created: the table goes
// to a temporary file that takes the old one's place only once every byte is written, so a failed
// save leaves the old file as it was. Where the folder takes no new file but the file itself may
// be written, the file is written in place instead: every write is still checked and a failure
// (a full disk) is still reported, but the file is then left cut off.
class clsDatFile {
public:
    static constexpr qint16 fmtDat = 0;
    static constexpr qint16 fmtCsv = 1;
    static constexpr qint16 fmtCsvHeaders = 2;

    void setFileName(const QString& fn) { myFileName = fn; }
    QString FileName() const { return myFileName; }
    // True when the name is set and matches a normal file; * and ? match any such file.
    bool Exists() const;
    void setFmt(qint16 pFmt) { myFmt = pFmt; }
    // "csv" for the two comma-separated layouts, "dat" for everything else.
    QString FileType() const;
    // The column names written by a save in fmtCsvHeaders; loading never changes them.
    void setHeaders(const QStringList& pHeaders) { myHeaders = pHeaders; }
    // The count setters accept 1 and above and leave the storage alone: call Clear afterwards.
    void setRows(qint16 n);
    qint16 Rows() const { return myRows; }
    void setCols(qint16 n);
    qint16 Cols() const { return myCols; }
    void setData(qint16 pRow, qint16 pCol, const QString& pValue);
    QString Data(qint16 pRow, qint16 pCol) const;
    // Column x of every row (all empty when x is out of range); empty when there are no rows.
    QStringList Col(qint16 x) const;
    // Swaps row pRow with the row above it when 1 <= pRow < Rows. Throws RuntimeError 9, changing
    // nothing, when the counts were raised without Clear and the move reaches past the storage.
    void MoveRowUp(qint16 pRow);
    // Fresh storage for the current counts, every cell empty; header names stay.
    void Clear();
    // Read or write the whole file in the current layout. An unknown layout throws RuntimeError 5;
    // Save without a file name throws 52. Save refuses, before it touches the file, a table that
    // would not load back the same: 5 for a CR in a cell or header name, 9 for more than 80
    // columns, 6 for a line over 32,765 characters.
    void Load();
    void Save() const;

private:
    void LoadDat();
    void LoadCsv(bool pHeaderLine);
    void SaveDat() const;
    void SaveCsv(bool pHeaderLine) const;
    static QString QuoteField(const QString& pText);

    bool cellInRange(qint16 pRow, qint16 pCol) const;
    void requireFileName() const;
    void requireSaveFileName() const;
    RuntimeError unknownFormat() const;
    // Writers build the whole text in one string; a row of -1 is the header line.
    static void appendQuotedLine(QString& text, const QStringList& fields, qint16 row);
    void appendRows(QString& text) const;
    void writeFile(const QString& text) const;

    QString myFileName;
    qint16 myFmt = 0;
    qint16 myRows = 0;
    qint16 myCols = 0;
    QStringList myHeaders;
    CellGrid myData;
};
