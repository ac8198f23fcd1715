#include "core/glyphslots.h"
#include "errornumber.h"
#include "officesession.h"
#include "wordprocessor/api/exportsteps.h"
#include "wordprocessor/writer/picturefile.h"
#include "wordprocessor/writer/pipefile.h"

#include <atomic>
#include <gmock/gmock.h>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using namespace std::chrono_literals;

// A socket file at the path, bound to the returned socket.
int bindSocket(const std::string& path, mode_t mode) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, sizeof address.sun_path - 1);
    const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    EXPECT_EQ(::bind(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    EXPECT_EQ(::chmod(path.c_str(), mode), 0);
    return socket;
}

// A socket where an office would listen, which accepts every caller and then answers nothing.
class FakeOffice {
public:
    enum class Manner {
        HangUpAtOnce,        // as an office does that ends while it is being reached
        HangUpAfterGreeting, // reads what the caller sends first, then closes
        StaySilent,          // keeps the connection open and never reads or writes
    };

    FakeOffice(const QString& path, Manner manner, mode_t mode = 0755)
        : m_path(path.toStdString())
        , m_socket(bindSocket(m_path, mode)) {
        EXPECT_EQ(::listen(m_socket, 8), 0);
        m_acceptor = std::thread([this, manner] {
            for (int caller; (caller = ::accept(m_socket, nullptr, nullptr)) >= 0;)
                answer(caller, manner);
        });
    }
    ~FakeOffice() {
        ::shutdown(m_socket, SHUT_RDWR); // ends the accept
        m_acceptor.join();
        ::close(m_socket);
        for (const int caller : m_callers)
            ::close(caller);
        ::unlink(m_path.c_str());
    }
    FakeOffice(const FakeOffice&) = delete;
    FakeOffice& operator=(const FakeOffice&) = delete;

    int callers() const { return m_callerCount; }

private:
    void answer(int caller, Manner manner) {
        ++m_callerCount;
        if (manner == Manner::StaySilent) {
            m_callers.push_back(caller);
            return;
        }
        if (manner == Manner::HangUpAfterGreeting) {
            char greeting[64];
            (void)::read(caller, greeting, sizeof greeting);
        }
        ::close(caller);
    }

    std::string m_path;
    int m_socket = -1;
    std::atomic<int> m_callerCount{0};
    std::vector<int> m_callers; // used by the acceptor only, until it has ended
    std::thread m_acceptor;
};

TEST(PipeFile, OnlyASocketOfOneselfThatNoOtherAccountMayWriteToIsSafe) {
    using Kind = PipeFile::Finding::Kind;
    const QTemporaryDir folder;
    const auto at = [&folder](const char* name) {
        return folder.filePath(QString::fromUtf8(name));
    };
    const auto socketFile = [&at](const char* name, mode_t mode) {
        ::close(bindSocket(at(name).toStdString(), mode));
    };
    socketFile("private", 0700);
    socketFile("readable", 0755);
    socketFile("group-writable", 0770);
    socketFile("world-writable", 0702);
    QFile plain(at("plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    ASSERT_TRUE(QFile::link(at("private"), at("link")));
    const uid_t me = ::getuid();
    struct Case {
        const char* file;
        uid_t owner;
        Kind expected;
        const char* problem;
    };
    const Case cases[] = {
        {"private", me, Kind::Safe, ""},
        {"readable", me, Kind::Safe, ""},
        {"readable", me + 1, Kind::Unsafe, "belongs to another account"},
        {"plain", me, Kind::Unsafe, "is not a socket"},
        {"link", me, Kind::Unsafe, "is a symbolic link"},
        {"group-writable", me, Kind::Unsafe, "may be written to by other accounts (mode 0770)"},
        {"world-writable", me, Kind::Unsafe, "may be written to by other accounts (mode 0702)"},
        {"missing", me, Kind::Missing, ""},
    };
    for (const Case& row : cases) {
        const PipeFile::Finding found = PipeFile::inspect(at(row.file), row.owner);
        EXPECT_EQ(found.kind, row.expected) << row.file;
        EXPECT_THAT(found.problem.toStdString(), testing::HasSubstr(row.problem)) << row.file;
    }
}

TEST(PictureFile, ReadsTheBytesOrReportsWhyNot) {
    const QTemporaryDir folder;
    const QString picture = folder.filePath(QStringLiteral("a.gif"));
    QFile file(picture);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("GIF89a");
    file.close();

    EXPECT_EQ(readPictureFile(picture), QByteArray("GIF89a"));
    const std::pair<QString, int> failures[] = {
        {folder.filePath(QStringLiteral("missing.gif")), 53},
        {QString(), 53},
        {folder.path(), 75}, // a folder
    };
    for (const auto& [path, number] : failures)
        EXPECT_EQ(errorNumberOf([&] { readPictureFile(path); }), number) << path.toStdString();
}

TEST(PictureFile, NaturalSizeIsThePhysicalSizeElseThePixelsAt96Dpi) {
    struct Case {
        QSize physical;
        QSize pixels;
        QSize expected;
    };
    const Case cases[] = {
        {{0, 0}, {10, 12}, {265, 318}}, // GIF: pixels only
        {{0, 0}, {96, 48}, {2540, 1270}},
        {{0, 0}, {1, 1}, {26, 26}},
        {{1000, 2000}, {10, 12}, {1000, 2000}}, // recorded resolution wins
    };
    for (const Case& row : cases)
        EXPECT_EQ(naturalSizeIn100thMm(row.physical, row.pixels), row.expected);
}

// The office makes its pipe with the umask it starts with, and a pipe that the group may write to
// would be refused; this program's own umask stays as it was.
TEST(OfficeProcess, StartsWithoutWritePermissionForGroupAndOthers) {
    const QTemporaryDir folder;
    const QString written = folder.filePath(QStringLiteral("umask"));
    const mode_t saved = ::umask(002);
    const auto process =
        OfficeProcess::start(QStringLiteral("/bin/sh"),
                             {QStringLiteral("-c"), QStringLiteral("umask >\"$0\""), written});
    EXPECT_EQ(::umask(saved), 002);
    QElapsedTimer clock;
    clock.start();
    while (process->state() == OfficeProcess::State::Running && clock.elapsed() < 10000)
        QThread::msleep(10);

    QFile umask(written);
    ASSERT_TRUE(umask.open(QIODevice::ReadOnly));
    EXPECT_EQ(umask.readAll().trimmed(), QByteArray("0022"));
}

// Where the office cannot be started or does not come up, the export reports 429.
struct StartCase {
    const char* name;
    const char* program;
    std::chrono::milliseconds timeout;
    const char* detail;
};

const StartCase startCases[] = {
    {"NotInstalled", "", 60s, "LibreOffice Writer is not installed"},
    {"ProgramMissing", "/nonexistent/soffice", 60s, "/nonexistent/soffice: No such file"},
    {"ProgramFails", "/bin/false", 60s, "LibreOffice ended while starting (exit status 1)"},
    // Exits at once, as when a running office takes the start over; nothing ever answers.
    {"NothingAnswers", "/bin/true", 300ms, "LibreOffice did not answer within 0.3 seconds"},
};

void PrintTo(const StartCase& row, std::ostream* out) {
    *out << row.name;
}

class WriterStart : public testing::TestWithParam<StartCase> {};

TEST_P(WriterStart, FailsWithCannotCreateObject) {
    const StartCase& row = GetParam();
    const OfficeSession session;
    WriterSettings settings = session.settings();
    settings.program = QString::fromUtf8(row.program);
    settings.startTimeout = row.timeout;
    WriterWordProcessor word(settings);

    try {
        wordexport::exportGlyphs(word, GlyphSlots{}, {});
        FAIL() << "the export succeeded";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number(), 429);
        EXPECT_THAT(error.description().toStdString(),
                    testing::StartsWith("ActiveX component can't create object: "));
        EXPECT_THAT(error.description().toStdString(), testing::HasSubstr(row.detail));
    }
}

INSTANTIATE_TEST_SUITE_P(Failures, WriterStart, testing::ValuesIn(startCases),
                         [](const testing::TestParamInfo<StartCase>& param) {
                             return std::string(param.param.name);
                         });

TEST(WriterWordProcessor, NothingRunsOnAnUnusedPipeAndNothingIsHeldThen) {
    const OfficeSession session;
    WriterWordProcessor word(session.settings());

    EXPECT_FALSE(word.findRunning());
    EXPECT_EQ(errorNumberOf([&] { word.documentCount(); }), 91);
}

// Writing to a pipe whose reader is gone raises SIGPIPE, which would end the whole program.
TEST(WriterWordProcessor, AnOfficeThatHangsUpFailsTheCallAndTheProgramGoesOn) {
    const OfficeSession session;
    const FakeOffice office(session.pipeFile(), FakeOffice::Manner::HangUpAtOnce);
    WriterWordProcessor word(session.settings());

    for (int attempt = 0; attempt < 20; ++attempt)
        EXPECT_FALSE(word.findRunning());
}

TEST(WriterWordProcessor, AbortEndsTheWaitForAStartedOffice) {
    const OfficeSession session;
    WriterSettings settings = session.settings();
    settings.program = QStringLiteral("/bin/true");
    WriterWordProcessor word(settings);
    word.start();
    std::thread canceller([&word] {
        std::this_thread::sleep_for(200ms);
        word.abort();
    });
    QElapsedTimer clock;
    clock.start();

    EXPECT_EQ(errorNumberOf([&] { word.attachRunning(); }), 18);
    EXPECT_LT(clock.elapsed(), 10000);
    canceller.join();
    EXPECT_EQ(errorNumberOf([&] { word.start(); }), 18);
}

// The real program's settings, whatever the machine: a peer that does not answer ends the export
// within 30 seconds, the answer timeout plus the time its last attempt takes.
TEST(WriterSettings, AnUnansweredCallEndsTheExportWithinHalfAMinute) {
    EXPECT_LE(WriterSettings::forThisUser().answerTimeout, 25s);
}

// A peer that accepts the connection but never answers, or keeps hanging up, ends the export with
// 462 once the answer timeout has passed, without anyone pressing Cancel.
TEST(WriterWordProcessor, APeerThatDoesNotAnswerEndsTheExportAfterTheAnswerTimeout) {
    const std::pair<const char*, FakeOffice::Manner> peers[] = {
        {"stays silent", FakeOffice::Manner::StaySilent},
        {"hangs up after the greeting", FakeOffice::Manner::HangUpAfterGreeting},
        {"hangs up at once", FakeOffice::Manner::HangUpAtOnce},
    };
    for (const auto& [name, manner] : peers) {
        const OfficeSession session;
        const FakeOffice office(session.pipeFile(), manner);
        WriterSettings settings = session.settings();
        settings.program = QStringLiteral("/bin/true"); // hands over to whatever holds the pipe
        settings.answerTimeout = 1s;
        WriterWordProcessor word(settings);
        QElapsedTimer clock;
        clock.start();

        EXPECT_EQ(errorNumberOf([&] { wordexport::exportGlyphs(word, GlyphSlots{}, {}); }), 462)
            << name;
        EXPECT_LT(clock.elapsed(), 6000) << name;
        EXPECT_GT(office.callers(), 0) << name;
    }
}

// A squatter at the pipe's path is never spoken to: the office is started on a private pipe,
// which later exports of the run look up first.
TEST(WriterWordProcessor, AnUnsafePipeIsReplacedByAPrivateOneForTheRestOfTheRun) {
    const OfficeSession session;
    const FakeOffice squatter(session.pipeFile(), FakeOffice::Manner::StaySilent, 0777);
    // An office program that only writes down its arguments.
    const QString recorder = session.folder() + QStringLiteral("/office");
    const QString arguments = recorder + QStringLiteral(".arguments");
    QFile script(recorder);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\necho \"$@\" >\"$0.part\" && mv \"$0.part\" \"$0.arguments\"\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    WriterSettings settings = session.settings();
    settings.program = recorder;

    WriterWordProcessor first(settings);
    EXPECT_FALSE(first.findRunning());
    const QString privatePipe = first.pipeName();
    EXPECT_THAT(privatePipe.toStdString(),
                testing::MatchesRegex(settings.pipeName.toStdString() + "_[0-9a-f]{32}"));
    first.start();
    QElapsedTimer clock;
    clock.start();
    while (!QFile::exists(arguments) && clock.elapsed() < 10000)
        QThread::msleep(20);
    QFile started(arguments);
    ASSERT_TRUE(started.open(QIODevice::ReadOnly));
    EXPECT_THAT(started.readAll().toStdString(),
                testing::HasSubstr("--accept=pipe,name=" + privatePipe.toStdString() + ";"));

    const WriterWordProcessor later(settings);
    EXPECT_EQ(later.pipeName(), privatePipe);
    EXPECT_EQ(squatter.callers(), 0);
}

} // namespace
