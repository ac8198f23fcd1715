#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>

// A dictionary's entries: each key without its slash, each value as written ("/Name", "12 0 R",
// "[1 0 R]", "<< ... >>").
using PdfDictionary = QMap<QByteArray, QByteArray>;

// The structure of a PDF with cross-reference tables, as Qt's writer makes it and as an
// incremental update extends it: objects are found only through the tables, and every value is
// read token by token, so the bytes of a string or a stream are never taken for structure. Any
// part that is not as expected throws RuntimeError 51 (internal error).
class PdfStructure {
public:
    struct Entry {
        qsizetype offset;
        int generation;
    };

    // Reads the tables from the last one back through /Prev, and checks that every object they
    // list begins where they say.
    explicit PdfStructure(const QByteArray& pdf);

    const PdfDictionary& trailer() const { return m_trailer; }
    qsizetype lastTableOffset() const { return m_lastTable; }
    const QMap<int, Entry>& objects() const { return m_objects; }
    // The objects the last table lists, which an incremental update has replaced.
    const QList<int>& lastTableObjects() const { return m_lastTableObjects; }

    // The dictionary an object holds (a stream's own dictionary), or none when it holds another
    // kind of value. Throws for an object the tables do not list.
    PdfDictionary dictionary(int number) const;
    // What follows "stream" of a stream object, as long as its /Length says.
    QByteArray streamData(int number) const;

    // The object number of a reference "N G R".
    static int referenced(const QByteArray& value);
    // The values of an array "[ ... ]" as written.
    static QList<QByteArray> arrayItems(const QByteArray& value);

private:
    qsizetype readTable(qsizetype offset, bool last);
    qsizetype valueStart(int number) const;

    QByteArray m_pdf; // shared, not copied
    qsizetype m_lastTable;
    PdfDictionary m_trailer;
    QMap<int, Entry> m_objects;
    QList<int> m_lastTableObjects;
};
