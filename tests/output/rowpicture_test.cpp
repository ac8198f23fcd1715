#include "errornumber.h"
#include "output/glyphpicturefile.h"
#include "output/rowpicture.h"
#include "permissionsenforced.h"
#include "platform/runtimeerror.h"
#include "rowoftext.h"

#include <gtest/gtest.h>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

const QString dataFolder = QStringLiteral(SCARABO_DATA_DIR);

QStringList filesUnder(const QString& folder) {
    QStringList files;
    QDirIterator found(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (found.hasNext())
        files.append(found.next());
    return files;
}

struct FailureCase {
    const char* what;
    const char* text;
    QString file; // under the test's folder
    int error;
    QString named; // besides the file, the description says this
};

const FailureCase failureCases[] = {
    {"a folder that takes no file", "ship", u"locked/ship.png"_s, 75, u"ermission denied"_s},
    {"over a file in such a folder", "ship", u"locked/old.svg"_s, 75, u"ermission denied"_s},
    {"a folder that is not there", "ship", u"missing/ship.svg"_s, 76, u""_s},
    {"neither PNG nor SVG", "ship", u"ship.bmp"_s, 5, u".svg"_s},
    {"a row without glyphs", "+=", u"ship.png"_s, 5, u"no glyphs"_s},
};

class SavingFails : public testing::TestWithParam<FailureCase> {};

// Every failure names the file and leaves nothing behind, not even a temporary file; a file that
// was there stays as it was.
TEST_P(SavingFails, NamesTheFileAndLeavesNoFile) {
    const FailureCase& c = GetParam();
    const QTemporaryDir folder;
    ASSERT_TRUE(QDir(folder.path()).mkdir(u"locked"_s));
    const QString locked = folder.filePath(u"locked"_s);
    const QString old = locked + u"/old.svg"_s;
    {
        QFile file(old);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("old");
    }
    ASSERT_TRUE(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner));
    const auto unlock = qScopeGuard([&] { QFile::setPermissions(locked, QFile::WriteOwner); });
    const GlyphRow row = rowOfText(dataFolder, QString::fromLatin1(c.text));
    const QString path = folder.filePath(c.file);
    const PermissionsEnforced enforced;
    try {
        saveRowPicture(row, path);
        ADD_FAILURE() << "the save succeeded";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number(), c.error) << error.what();
        EXPECT_TRUE(error.description().contains(path)) << error.what();
        EXPECT_TRUE(error.description().contains(c.named)) << error.what();
    }
    EXPECT_EQ(filesUnder(folder.path()), QStringList(old));
    QFile file(old);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "old");
}

INSTANTIATE_TEST_SUITE_P(Cases, SavingFails, testing::ValuesIn(failureCases),
                         [](const auto& param) { return "Case" + std::to_string(param.index); });

// Where a word ends the row leaves a gap; a character without a glyph leaves none.
TEST(RowImage, WordsOfANameStandApart) {
    const auto width = [](const QString& text) {
        return rowImage(rowOfText(dataFolder, text)).width();
    };
    EXPECT_GT(width(u"Al-Bo"_s), width(u"AlBo"_s));
    EXPECT_EQ(width(u"Al-Bo"_s), width(u"Al Bo"_s));
    EXPECT_EQ(width(u"Al+Bo"_s), width(u"AlBo"_s));
}

// An entry without a sign in the font is drawn from its picture, which must be readable.
TEST(RowImage, APictureThatCannotBeReadIsAnInvalidPictureNamingIt) {
    const QTemporaryDir folder;
    QFile alphabet(folder.filePath(u"Alphabet.dat"_s));
    ASSERT_TRUE(alphabet.open(QIODevice::WriteOnly));
    alphabet.write("2,1\r\n\"Letters\"\r\n\"p\"\r\n");
    alphabet.close();
    const GlyphRow row = rowOfText(folder.path(), u"p"_s);
    try {
        rowImage(row);
        ADD_FAILURE() << "the picture was drawn";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number(), 481);
        EXPECT_TRUE(error.description().contains(row.glyphs().at(0).picture)) << error.what();
    }
}

// The pixels follow the size of a sign, the resolution and the scale, and the PNG records its
// resolution.
TEST(RowImage, TakesItsPixelsFromSizeResolutionAndScale) {
    const GlyphRow row = rowOfText(dataFolder, u"ship"_s);
    const QImage plain = rowImage(row);
    const struct {
        double millimetres;
        int dpi;
        qreal scale;
        int factor; // of the plain picture's pixels
    } cases[] = {{25.4, 96, 1.0, 2}, {12.7, 192, 1.0, 2}, {12.7, 96, 2.0, 2}, {25.4, 288, 1.0, 6}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.millimetres << " mm, " << c.dpi << " dpi, scale " << c.scale);
        RowPictureOptions options;
        options.signMillimetres = c.millimetres;
        options.dpi = c.dpi;
        options.scale = c.scale;
        const QImage image = rowImage(row, options);
        EXPECT_NEAR(image.width(), plain.width() * c.factor, c.factor);
        EXPECT_NEAR(image.height(), plain.height() * c.factor, c.factor);
        EXPECT_NEAR(image.dotsPerMeterX() * 0.0254, c.dpi * c.scale, 0.1);
    }
}

} // namespace

// A picture is read only from a regular file inside Images/, links resolved, and only within
// maxGlyphPixels, which is checked before the picture is decoded.
TEST(GlyphPictureFile, OnlyRegularFilesInsideImagesWithinTheSizeLimitAreRead) {
    const QTemporaryDir folder;
    const QDir root(folder.path());
    ASSERT_TRUE(root.mkpath(u"Images/inner"_s) && root.mkdir(u"outside"_s) &&
                root.mkpath(u"Images/folder.gif"_s));
    const QString plain = dataFolder + u"/Images/a.gif"_s;
    for (const QString& copy : {u"Images/a.gif"_s, u"Images/inner/a.gif"_s, u"outside/a.gif"_s})
        ASSERT_TRUE(QFile::copy(plain, root.filePath(copy)));
    ASSERT_TRUE(QFile::link(u"a.gif"_s, root.filePath(u"Images/linkin.gif"_s)));
    ASSERT_TRUE(QFile::link(u"../outside/a.gif"_s, root.filePath(u"Images/linkout.gif"_s)));
    ASSERT_TRUE(QFile::link(u"../outside"_s, root.filePath(u"Images/out"_s)));
    ASSERT_EQ(mkfifo(root.filePath(u"Images/fifo.gif"_s).toLocal8Bit().constData(), 0600), 0);
    QImage huge(4097, 4096, QImage::Format_Mono); // a small file of many pixels
    huge.fill(0);
    ASSERT_TRUE(huge.save(root.filePath(u"Images/huge.gif"_s), "PNG"));
    QImage wide(4096 * 4, 1, QImage::Format_Mono);
    wide.fill(0);
    ASSERT_TRUE(wide.save(root.filePath(u"Images/wide.gif"_s), "PNG"));

    const std::pair<QString, QString> cases[] = {
        {u"Images/a.gif"_s, {}},
        {u"Images/inner/a.gif"_s, {}},
        {u"Images/linkin.gif"_s, {}},
        {u"Images/wide.gif"_s, {}},
        {u"Images/linkout.gif"_s, u"outside its pictures folder"_s},
        {u"Images/out/a.gif"_s, u"outside its pictures folder"_s},
        {u"Images/../outside/a.gif"_s, u"a path through \"..\""_s},
        {u"Images/fifo.gif"_s, u"not a regular file"_s},
        {u"Images/folder.gif"_s, u"not a regular file"_s},
        {u"Images/none.gif"_s, u"not found"_s},
        {u"Images/huge.gif"_s, u"4097 x 4096 pixels, more than a glyph may have"_s},
    };
    for (const auto& [name, refusal] : cases) {
        const GlyphPictureFile picture = readGlyphPictureFile(root.filePath(name));
        EXPECT_EQ(picture.image.isNull(), !refusal.isEmpty()) << name.toStdString();
        EXPECT_TRUE(picture.refusal.startsWith(refusal))
            << name.toStdString() << ": " << picture.refusal.toStdString();
    }
}
