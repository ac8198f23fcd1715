#pragma once

#include "core/alphabetindex.h"

#include <memory>
#include <QString>

class clsDatFile;

// The alphabet of the program's folder: the table Alphabet.dat, whose first column lists the
// entries, and their pictures in Images/, "<entry>.gif" each, with a twice-size "<entry>@2x.gif"
// beside some. The one place that knows these names and the columns that describe the signs.
class Alphabet {
public:
    // The columns of the table whose header row names them "Gardiner", "Sign" and "Unicode"
    // (code points such as "U+13219 U+132F4"), or -1 where the table has none.
    struct SignColumns {
        qint16 gardiner = -1;
        qint16 name = -1;
        qint16 unicode = -1;
    };

    static QString tablePath(const QString& applicationFolder);
    // The folder of the glyph pictures, with a trailing separator.
    static QString imagesFolder(const QString& applicationFolder);
    static QString picturePath(const QString& imagesFolder, const QString& entry);
    // The twice-size picture beside a glyph's picture, or empty for a path that is none.
    static QString sharpPicturePath(const QString& picturePath);
    static SignColumns signColumns(const clsDatFile& table);
    // What a loaded table's file holds that the table could not read: the row, named with its
    // line, where reading stopped because its number of fields differs from the table's, and
    // every row after it left empty. Empty for a sound file. Reads the file again; throws
    // RuntimeError when it cannot.
    static QString damage(const clsDatFile& table);

    // Loads the folder's table. Throws RuntimeError, its description naming the file, when it
    // cannot.
    static Alphabet load(const QString& applicationFolder);

    // An alphabet over a table already loaded, as the window holds it, with its pictures in
    // imagesFolder (a trailing separator).
    Alphabet(std::shared_ptr<const clsDatFile> table, QString imagesFolder);

    const clsDatFile& table() const { return *m_table; }
    const QString& imagesFolder() const { return m_imagesFolder; }
    // The index of the entries as the table holds them now: fetched anew, built again only when
    // they differ from the last ones.
    const AlphabetIndex& index() const;

private:
    std::shared_ptr<const clsDatFile> m_table;
    QString m_imagesFolder;
    mutable CachedAlphabetIndex m_index;
};
