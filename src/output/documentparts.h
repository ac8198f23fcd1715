#pragma once

#include "core/glyphrow.h"
#include "output/document.h"
#include "output/documentoptions.h"
#include "output/writtenlayout.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSizeF>
#include <QString>
#include <stop_token>
#include <thread>

class QIODevice;
class QuaZip;

// The measures every format shares, so that the formats look alike: lengths in millimetres, font
// sizes in points, all in proportion to the glyph.
struct CardMeasures {
    explicit CardMeasures(const DocumentOptions& options);

    double glyph; // a quadrat: the height of a full-height sign
    double gap;   // between the parts of a card
    double unicodePoints;
    double englishPoints;
};

// The font family of the Unicode row: the bundled one, then what else may show the script.
inline constexpr const char* hieroglyphFamily = "Aegyptus";

// A row written for a document: its layout, and the quadrat's size that keeps it within the text
// (the glyph's size unless the layout would be wider, or a column taller, than the text).
struct DocumentWriting {
    DocumentWriting(const GlyphRow& row, const DocumentOptions& options, QSizeF textMillimetres);
    DocumentWriting(WrittenLayout written, double quadratMillimetres);

    WrittenLayout layout;
    double quadrat; // millimetres

    QSizeF millimetres() const { return layout.size * quadrat; }
};

// The document's way of writing: the letters and the cartouche as its options say, lines (or
// columns) lineQuadrats long, 0 for one line.
WritingOptions writtenAs(const DocumentOptions& options, qreal lineQuadrats);

// What a reader is told in place of a row's picture: its English text and each sign's label.
QString writingDescription(const GlyphRow& row);

// The size of a saved document's text: the page less its margins, in millimetres.
QSizeF documentTextSize(QPageSize::PageSizeId paper);

// The user units of the SVG pictures, a twentieth of a millimetre: with the outlines' points on
// whole units, short to write.
inline constexpr double svgUnitsPerMillimetre = 20;

// The written rows of a document as pictures, each distinct picture made once: as SVG, and, for
// readers that need one, as PNG. Only a digest of each is kept, so a batch of any size takes
// little memory; the caller stores a picture's bytes the first time it is placed.
class WritingPictures {
public:
    struct Placed {
        qsizetype number = -1; // of the distinct picture, from 0
        bool first = false;    // the first time the picture is placed: its bytes follow
        QSizeF millimetres;
        QByteArray svg;
        QByteArray png; // when asked for
    };

    WritingPictures(const DocumentOptions& options, bool withPng, std::stop_token stop);

    // The picture of a row written as its page decides (a sheet's, a card's, or a part of a text
    // page's); none for a row without signs. Throws RuntimeError 481, naming the picture, when a
    // sign's picture cannot be read, and 18 once a stop is requested.
    Placed place(const DocumentWriting& writing);
    qsizetype count() const { return m_numbers.size(); }

private:
    DocumentOptions m_options;
    bool m_withPng;
    std::stop_token m_stop;
    QHash<QByteArray, qsizetype> m_numbers; // a picture's number by its SVG's digest
};

// RuntimeError 18 (user interrupt) once a stop is requested.
void throwIfStopped(const std::stop_token& stop);

// A file of a zip package: the ODT's and the DOCX's parts.
struct ZipMember {
    QString name;
    QByteArray bytes;
    bool stored = false; // unpacked
};

// A zip package written to a device member by member, each as soon as it is made, so that only a
// few members are held at a time. A thread of its own packs and writes them, in order, while the
// caller makes the next. Throws RuntimeError 51 when the zip library fails.
class ZipWriter {
public:
    explicit ZipWriter(QIODevice& device);
    // Drops what is not yet written: a package not finished is abandoned.
    ~ZipWriter();
    ZipWriter(const ZipWriter&) = delete;
    ZipWriter& operator=(const ZipWriter&) = delete;

    // Waits while the members not yet written are many. Throws the failure of one before.
    void add(ZipMember member);
    // Writes every member and the package's directory; nothing may be added after.
    void finish();

private:
    void writeInTurn();
    void write(const ZipMember& member);

    std::unique_ptr<QuaZip> m_zip;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<ZipMember> m_waiting;
    bool m_ending = false; // nothing more is added
    std::exception_ptr m_failure;
    std::thread m_writer; // last, so that it starts once the rest is made
};

// Each format written to a device as the file's bytes, each picture as soon as it is made.
void odtDocument(const DocumentRows& rows, const DocumentOptions& options, QIODevice& file,
                 const std::stop_token& stop);
void docxDocument(const DocumentRows& rows, const DocumentOptions& options, QIODevice& file,
                  const std::stop_token& stop);
void htmlDocument(const DocumentRows& rows, const DocumentOptions& options, QIODevice& file,
                  const std::stop_token& stop);

// The PDF's bytes.
QByteArray pdfDocument(const DocumentRows& rows, const DocumentOptions& options,
                       const std::stop_token& stop = {});
