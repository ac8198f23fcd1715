#include "exportsteps.h"
#include "glyphslots.h"
#include "officesession.h"
#include "writer/picturefile.h"

#include <gmock/gmock.h>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

// A pipe where an office would listen whose other end hangs up on every caller at once, as an
// office does that ends while it is being reached.
class HangingUpPipe {
public:
    explicit HangingUpPipe(const QString& pipeName)
        : m_path(OfficeSession::pipeFile(pipeName).toStdString()) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        m_path.copy(address.sun_path, sizeof address.sun_path - 1);
        m_socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
        EXPECT_EQ(::bind(m_socket, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
        EXPECT_EQ(::listen(m_socket, 8), 0);
        m_hangUp = std::thread([this] {
            for (int caller; (caller = ::accept(m_socket, nullptr, nullptr)) >= 0;)
                ::close(caller);
        });
    }
    ~HangingUpPipe() {
        ::shutdown(m_socket, SHUT_RDWR); // ends the accept
        m_hangUp.join();
        ::close(m_socket);
        ::unlink(m_path.c_str());
    }
    HangingUpPipe(const HangingUpPipe&) = delete;
    HangingUpPipe& operator=(const HangingUpPipe&) = delete;

private:
    std::string m_path;
    int m_socket = -1;
    std::thread m_hangUp;
};

template <class Call> int errorNumberOf(Call call) {
    try {
        call();
    } catch (const RuntimeError& error) {
        return error.number();
    }
    return 0;
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
        wordexport::exportGlyphs(word, GlyphSlots{});
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
    const HangingUpPipe pipe(session.settings().pipeName);
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

} // namespace
