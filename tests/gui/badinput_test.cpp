// Ugly alphabet files through the real start-up, and saves that cannot finish: the program either
// opens with what the file holds or names the file and the error, and it never crashes, hangs,
// leaves a file open or loses the file a save was replacing.

#include "apptesting.h"
#include "datfile/clsdatfile.h"
#include "fatalrecorder.h"
#include "gui/frmmain.h"
#include "gui/modmain.h"
#include "permissionsenforced.h"
#include "platform/runtimeerror.h"

#include <algorithm>
#include <csignal>
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <random>
#include <sys/mount.h>
#include <sys/resource.h>

using namespace Qt::StringLiterals;

namespace {

int openFileCount() {
    return static_cast<int>(
        QDir(u"/proc/self/fd"_s)
            .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot)
            .size());
}

QByteArray fieldsLine(int count) {
    QByteArray line = "\"f\"";
    for (int i = 1; i < count; ++i)
        line += ",\"f\"";
    return line + "\r\n";
}

QByteArray randomBytes(unsigned seed, int size) {
    std::mt19937 engine(seed);
    QByteArray bytes;
    for (int i = 0; i < size; ++i)
        bytes += static_cast<char>(engine() & 0xff);
    return bytes;
}

// Short, and free of control characters other than its own line breaks, whatever the file holds.
bool isReadable(const QString& message) {
    return message.size() < 300 && std::none_of(message.begin(), message.end(), [](QChar ch) {
               return ch != u'\n' && ch.category() == QChar::Other_Control;
           });
}

enum class Setup { Bytes, Missing, Directory, Unreadable };

struct StartCase {
    const char* what;
    QByteArray bytes;
    int error;            // 0: the window opens
    qint16 rows = 0;      // when it opens: the rows of the alphabet
    QString text = {};    // then typed and converted...
    QStringList glyphs{}; // ...gives these pictures
    Setup setup = Setup::Bytes;
};

const QByteArray threeEntries = "3,1\r\n\"Letters\"\r\n\"sh\"\r\n\"s\"\r\n";

const StartCase startCases[] = {
    {"missing", {}, 53, 0, {}, {}, Setup::Missing},
    {"a directory", {}, 75, 0, {}, {}, Setup::Directory},
    {"unreadable", threeEntries, 75, 0, {}, {}, Setup::Unreadable},
    {"empty", "", 62},
    {"negative row count", "-3,1\r\n", 9},
    {"negative column count", "1,-1\r\n\"a\"\r\n", 9},
    {"zero counts", "0,0\r\n", 0, 0, u"ship"_s, {}},
    {"zero rows and lines after them", "0,1\r\n\"s\"\r\n", 0, 0, u"ship"_s, {}},
    {"count beyond 16 bits", "70000,1\r\n\"s\"\r\n", 6},
    {"count beyond 64 bits", "99999999999999999999,1\r\n", 6},
    {"the most rows with too few lines", "32767,1\r\n\"s\"\r\n", 62},
    {"the most rows and columns", "32767,32767\r\n\"s\"\r\n", 0, 32767, u"ship"_s, {}},
    {"count not a number", "three,1\r\n", 13},
    {"81 fields", "1,81\r\n" + fieldsLine(81), 9},
    {"81 fields for one column", "2,1\r\n\"Letters\"\r\n" + fieldsLine(81), 9},
    {"40,000-character line", "2,1\r\n\"Letters\"\r\n" + QByteArray(40000, 's'), 6},
    {"CR-only line ends", "3,1\r\"Letters\"\r\"sh\"\r\"s\"\r", 0, 3, u"ship"_s, {u"sh"_s}},
    {"LF-only line ends", "3,1\n\"Letters\"\n\"sh\"\n\"s\"\n", 13},
    {"NUL byte in an entry",
     QByteArray("3,1\r\n\"Letters\"\r\n\"s\0h\"\r\n\"s\"\r\n", 27),
     0,
     3,
     u"sh"_s,
     {u"s"_s}},
    {"NUL byte in the counts", QByteArray("3\0,1\r\n", 6), 13},
    {"binary garbage", randomBytes(1, 4096), 13},
    {"binary garbage after the counts", "3,1\r\n" + randomBytes(2, 4096), 0, 3, u"ship"_s, {}},
    {"non-ASCII entries",
     "3,1\r\n\"Zeichen\"\r\n\"\xc3\xa4\"\r\n\"\xc3\x9f\"\r\n",
     0,
     3,
     u"\u00c4\u00df!"_s,
     {u"\u00e4"_s, u"\u00df"_s}},
    {"byte order mark before the counts",
     "\xef\xbb\xbf" + threeEntries,
     0,
     3,
     u"ship"_s,
     {u"sh"_s}},
    {"a long line of two-byte letters, within the limit",
     "2,1\r\n\"Letters\"\r\n" + QByteArray("\xc3\xa4").repeated(20000),
     0,
     2,
     u"\u00e4"_s,
     {}},
    {"bytes that are not UTF-8",
     "3,1\r\n\"Letters\"\r\n\"\xe4\"\r\n\"s\"\r\n",
     0,
     3,
     u"s"_s,
     {u"s"_s}},
    {"end inside a quoted field",
     "3,1\r\n\"Letters\"\r\n\"sh\"\r\n\"s",
     0,
     3,
     u"ship"_s,
     {u"sh"_s}},
};

class StartUpWithBadAlphabet : public testing::Test {
protected:
    // The first window opens the display connection and the fonts, which stay open for good.
    static void SetUpTestSuite() {
        QTemporaryDir folder;
        QFile alphabet(folder.filePath(u"Alphabet.dat"_s));
        ASSERT_TRUE(alphabet.open(QIODevice::WriteOnly));
        alphabet.write(threeEntries);
        alphabet.close();
        RecordedMessages reported;
        ASSERT_TRUE(modMain::Main(reported.context(folder.path())));
    }

    void prepare(const StartCase& c) const {
        const QString path = alphabetPath();
        if (c.setup == Setup::Missing)
            return;
        if (c.setup == Setup::Directory) {
            ASSERT_TRUE(QDir().mkdir(path));
            return;
        }
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(c.bytes), c.bytes.size());
        file.close();
        if (c.setup == Setup::Unreadable) {
            ASSERT_TRUE(QFile::setPermissions(path, {}));
        }
    }

    static QStringList convert(frmMain& window, const QString& text) {
        window.findChild<QLineEdit*>(u"txtEnglish"_s)->setText(text);
        window.findChild<QPushButton*>(u"cmdGo"_s)->click();
        QStringList glyphs;
        for (int k = 1; k <= frmMain::glyphBoxCount; ++k) {
            if (!window.glyphFiles().at(k).isEmpty())
                glyphs.append(QFileInfo(window.glyphFiles().at(k)).completeBaseName());
        }
        return glyphs;
    }

    QString alphabetPath() const { return folder.filePath(u"Alphabet.dat"_s); }

    QTemporaryDir folder;
    RecordedMessages reported;
    FatalRecorder fatalChecks;
};

TEST_F(StartUpWithBadAlphabet, OpensWithWhatTheFileHoldsOrNamesTheFileAndTheError) {
    for (const StartCase& c : startCases) {
        SCOPED_TRACE(c.what);
        folder.remove();
        ASSERT_TRUE(QDir().mkpath(folder.path()));
        prepare(c);
        reported.texts.clear();
        const int filesBefore = openFileCount();
        {
            const PermissionsEnforced enforced;
            const std::unique_ptr<frmMain> window = modMain::Main(reported.context(folder.path()));
            if (c.error == 0) {
                ASSERT_TRUE(window) << reported.texts.join(u'\n').toStdString();
                EXPECT_EQ(window->alphabet().Rows(), c.rows);
                EXPECT_EQ(convert(*window, c.text), c.glyphs);
                EXPECT_TRUE(reported.texts.isEmpty());
            } else {
                EXPECT_FALSE(window);
                ASSERT_EQ(reported.texts.size(), 1);
                const QString& message = reported.texts.first();
                EXPECT_TRUE(message.contains(alphabetPath())) << message.toStdString();
                EXPECT_TRUE(message.contains(u"Run-time error '%1':"_s.arg(c.error)))
                    << message.toStdString();
                EXPECT_TRUE(isReadable(message)) << message.toStdString();
            }
        }
        EXPECT_EQ(openFileCount(), filesBefore);
    }
}

// A folder with little room left: on a small tmpfs where this process may mount one, otherwise
// under a file-size limit for the process, past which a write fails as on a full disk.
class FullDisk {
public:
    static constexpr qint64 roomLeft = 8 * 1024;

    FullDisk() {
        const QByteArray mountPoint = QFile::encodeName(m_dir.path());
        m_mounted =
            mount("tmpfs", mountPoint.constData(), "tmpfs", MS_NOSUID | MS_NODEV, "size=64k") == 0;
        if (m_mounted) {
            QFile filler(path(u"filler"_s));
            if (filler.open(QIODevice::WriteOnly))
                filler.write(QByteArray(64 * 1024 - roomLeft, 'x'));
            return;
        }
        getrlimit(RLIMIT_FSIZE, &m_oldLimit);
        const rlimit limit{static_cast<rlim_t>(roomLeft), m_oldLimit.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
        m_oldSignal = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~FullDisk() {
        if (m_mounted) {
            umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
            return;
        }
        setrlimit(RLIMIT_FSIZE, &m_oldLimit);
        std::signal(SIGXFSZ, m_oldSignal);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    QString path(const QString& name) const { return m_dir.filePath(name); }
    QStringList files() const {
        QStringList names = QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden);
        names.removeOne(u"filler"_s);
        return names;
    }
    // A full file system says so; a file-size limit shows as a failed write.
    int expectedError() const { return m_mounted ? 61 : 75; }

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
    rlimit m_oldLimit{};
    void (*m_oldSignal)(int) = SIG_DFL;
};

clsDatFile tableOfSize(const QString& path, qint16 rows) {
    clsDatFile table;
    table.setFileName(path);
    table.setRows(rows);
    table.setCols(20);
    table.Clear();
    for (qint16 row = 0; row < table.Rows(); ++row)
        for (qint16 col = 0; col < table.Cols(); ++col)
            table.setData(row, col, u"a cell of some length %1"_s.arg(col));
    table.setHeaders(QStringList(20, u"name"_s));
    return table;
}

// A file that fits the write buffer fails when the save commits it; a larger one fails while it
// is written, where the disk takes only part of a write.
TEST(SaveOntoAFullDisk, FailsWithItsErrorAndKeepsTheOldFileInEveryLayout) {
    const FullDisk disk;
    const QString path = disk.path(u"table.dat"_s);
    const QByteArray old = "1,1\r\n\"old\"\r\n";
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(old), old.size());
    }
    for (const qint16 rows : {qint16(20), qint16(200)}) {
        clsDatFile table = tableOfSize(path, rows);
        for (const qint16 fmt :
             {clsDatFile::fmtDat, clsDatFile::fmtCsv, clsDatFile::fmtCsvHeaders}) {
            SCOPED_TRACE(testing::Message() << rows << " rows, layout " << fmt);
            table.setFmt(fmt);
            const int filesBefore = openFileCount();
            try {
                table.Save();
                ADD_FAILURE() << "the save succeeded";
            } catch (const RuntimeError& error) {
                EXPECT_EQ(error.number(), disk.expectedError()) << error.what();
                EXPECT_TRUE(error.description().contains(path)) << error.what();
            }
            EXPECT_EQ(openFileCount(), filesBefore);
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            EXPECT_EQ(file.readAll(), old);
            EXPECT_EQ(disk.files(), QStringList(u"table.dat"_s));
        }
    }
}

// Where the folder takes no new file the save writes in place, and a write that fails there is
// reported all the same.
TEST(SaveOntoAFullDisk, InPlaceInAFolderThatTakesNoNewFileFailsWithItsError) {
    const FullDisk disk;
    const QString path = disk.path(u"table.dat"_s);
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const QString folder = QFileInfo(path).path();
    const QFile::Permissions writable = QFile::permissions(folder);
    ASSERT_TRUE(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    const auto restore = qScopeGuard([&] { QFile::setPermissions(folder, writable); });
    const PermissionsEnforced enforced;
    const clsDatFile table = tableOfSize(path, 200);
    try {
        table.Save();
        ADD_FAILURE() << "the save succeeded";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number(), disk.expectedError()) << error.what();
    }
    // Written in place as far as the disk allowed: cut off, as documented, and nothing beside it.
    EXPECT_GT(QFileInfo(path).size(), 0);
    EXPECT_EQ(disk.files(), QStringList(u"table.dat"_s));
}

} // namespace
