#include "officesession.h"

#include "storedcopies.h"
#include "wordprocessor/writer/officeconnection.h"
#include "wordprocessor/writer/pipefile.h"
#include "wordprocessor/writer/textdocument.h"

#include <atomic>
#include <cerrno>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/text/XTextViewCursor.hpp>
#include <com/sun/star/text/XTextViewCursorSupplier.hpp>
#include <com/sun/star/util/XModifiable.hpp>
#include <csignal>
#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QThread>
#include <QUrl>

using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

namespace {

constexpr std::chrono::seconds startLimit{60};

bool groupAlive(qint64 group) {
    return ::kill(-static_cast<pid_t>(group), 0) == 0 || errno != ESRCH;
}

bool waitUntilGone(qint64 group, int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    while (groupAlive(group)) {
        if (clock.elapsed() > milliseconds)
            return false;
        QThread::msleep(50);
    }
    return true;
}

void signalGroup(qint64 group, int signal) {
    ::kill(-static_cast<pid_t>(group), signal);
}

std::unique_ptr<OfficeConnection> connect(const QString& pipeName) {
    return OfficeConnection::open(pipeName, std::make_shared<AbortSwitch>());
}

// The pipe by which an office finds the one already running on its profile: named after the
// MD5 of the profile's address in UTF-16, each byte in hex without leading zeros.
QString singleInstancePipe(const QString& profileUrl) {
    const QByteArray digest = QCryptographicHash::hash(
        QByteArray(reinterpret_cast<const char*>(profileUrl.utf16()), profileUrl.size() * 2),
        QCryptographicHash::Md5);
    QString name = QStringLiteral("SingleOfficeIPC_");
    for (const char byte : digest)
        name += QString::number(static_cast<unsigned char>(byte), 16);
    return name;
}

QStringList lines(const QJsonValue& value) {
    QStringList result;
    for (const QJsonValue& each : value.toArray())
        result.append(each.toString());
    return result;
}

} // namespace

OfficeSession::OfficeSession() {
    static std::atomic<int> sessions{0};
    m_pipeName = QStringLiteral("scarabo_test_%1_%2")
                     .arg(QCoreApplication::applicationPid())
                     .arg(++sessions);
    m_officePipe = m_pipeName;
}

QString OfficeSession::profileUrl() const {
    return QUrl::fromLocalFile(m_folder.filePath(QStringLiteral("profile"))).toString();
}

OfficeSession::~OfficeSession() {
    stopOffice();
}

WriterSettings OfficeSession::settings() const {
    WriterSettings settings;
    settings.pipeName = m_pipeName;
    settings.program = findOfficeProgram();
    settings.extraArguments = {QStringLiteral("--headless"),
                               QStringLiteral("-env:UserInstallation=") + profileUrl()};
    settings.startTimeout = startLimit;
    return settings;
}

void OfficeSession::startOffice() {
    launch(settings(), {});
}

void OfficeSession::startUsersOffice(const QString& document) {
    WriterSettings users = settings();
    users.pipeName += QStringLiteral("_user");
    launch(users, {document});
}

void OfficeSession::launch(const WriterSettings& office, const QStringList& documents) {
    ASSERT_FALSE(office.program.isEmpty()) << "LibreOffice Writer is not installed";
    m_officePipe = office.pipeName;
    m_started = OfficeProcess::start(office.program, office.startArguments() + documents);
    setOffice(m_started->id());
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        try {
            connect(m_officePipe);
            return;
        } catch (const RuntimeError&) {
            ASSERT_EQ(m_started->state(), OfficeProcess::State::Running) << "the office ended";
            ASSERT_LT(clock.elapsed(), std::chrono::milliseconds(startLimit).count())
                << "the office did not answer";
            QThread::msleep(100);
        }
    }
}

void OfficeSession::adopt(qint64 processId) {
    if (m_processGroup == 0)
        setOffice(processId);
}

void OfficeSession::setOffice(qint64 processGroup) {
    m_processGroup = processGroup;
    // Should this test process die without ending the office (a crash, a timeout of the test
    // run), a watchdog of its own ends it and its pipes within a second.
    QProcess::startDetached(
        QStringLiteral("/bin/sh"),
        QStringList{QStringLiteral("-c"),
                    QStringLiteral("while kill -0 $1 2>/dev/null; do sleep 1; done; "
                                   "kill -KILL -$2 2>/dev/null; shift 2; rm -f \"$@\""),
                    QStringLiteral("watchdog"), QString::number(QCoreApplication::applicationPid()),
                    QString::number(processGroup)} +
            pipeFiles(),
        QString(), &m_watchdog);
}

QString OfficeSession::pipeFile() const {
    return PipeFile::path(m_pipeName);
}

QStringList OfficeSession::pipeFiles() const {
    QStringList files;
    for (const QString& pipe :
         {m_pipeName, m_pipeName + QStringLiteral("_user"), singleInstancePipe(profileUrl())})
        files.append(PipeFile::path(pipe));
    return files;
}

void OfficeSession::freeze() {
    signalGroup(m_processGroup, SIGSTOP);
}

void OfficeSession::thaw() {
    signalGroup(m_processGroup, SIGCONT);
}

QString OfficeSession::gif(int width, int height) {
    const QString path = m_folder.filePath(QStringLiteral("%1x%2.gif").arg(width).arg(height));
    const int exitCode = QProcess::execute(
        QStringLiteral("/usr/bin/python3"),
        {QStringLiteral("-c"),
         QStringLiteral(
             "import sys; from PIL import Image; w, h = map(int, sys.argv[2:]); "
             "Image.new('RGB', (w, h), (w * 9 % 256, h * 5 % 256, 99)).save(sys.argv[1])"),
         path, QString::number(width), QString::number(height)});
    EXPECT_EQ(exitCode, 0) << "making " << path.toStdString();
    return path;
}

DocumentDescription OfficeSession::describeActiveDocument() {
    const QString docx = m_folder.filePath(QStringLiteral("stored.docx"));
    const QString odt = m_folder.filePath(QStringLiteral("stored.odt"));
    {
        const auto office = connect(m_officePipe);
        const auto document = TextDocuments::active(office->desktop());
        storeCopies(document, docx, odt);
    }
    QProcess describe;
    describe.start(QStringLiteral("/usr/bin/python3"),
                   {QStringLiteral(SCARABO_TEST_SOURCE_DIR "/describe_document.py"), docx, odt});
    EXPECT_TRUE(describe.waitForFinished(60000));
    EXPECT_EQ(describe.exitCode(), 0) << describe.readAllStandardError().toStdString();
    const QJsonObject description =
        QJsonDocument::fromJson(describe.readAllStandardOutput()).object();
    return {lines(description.value(QStringLiteral("docx"))),
            lines(description.value(QStringLiteral("odt")))};
}

DocumentState OfficeSession::state() {
    const auto office = connect(m_officePipe);
    const auto document = TextDocuments::active(office->desktop());
    return {TextDocuments::count(office->desktop()),
            static_cast<bool>(
                Reference<css::util::XModifiable>(document, UNO_QUERY_THROW)->isModified()),
            static_cast<bool>(
                Reference<css::frame::XStorable>(document, UNO_QUERY_THROW)->hasLocation())};
}

void OfficeSession::selectAllText() {
    const auto office = connect(m_officePipe);
    const Reference<css::frame::XModel> model(TextDocuments::active(office->desktop()),
                                              UNO_QUERY_THROW);
    const auto cursor = Reference<css::text::XTextViewCursorSupplier>(model->getCurrentController(),
                                                                      UNO_QUERY_THROW)
                            ->getViewCursor();
    cursor->gotoStart(false);
    cursor->gotoEnd(true);
}

void OfficeSession::stopOffice() {
    // Our own child is reaped in the background from now on, so the group can empty.
    m_started.reset();
    if (m_processGroup == 0)
        return;
    thaw();
    try {
        connect(m_officePipe)->desktop()->terminate();
    } catch (const std::exception&) {
        // Ended below by its process id.
    } catch (const css::uno::Exception&) {
        // The bridge ends with the office.
    }
    if (!waitUntilGone(m_processGroup, 20000)) {
        signalGroup(m_processGroup, SIGKILL);
        EXPECT_TRUE(waitUntilGone(m_processGroup, 10000))
            << "office " << m_processGroup << " lives on";
    }
    // A killed office leaves its pipes behind.
    for (const QString& file : pipeFiles())
        QFile::remove(file);
    if (m_watchdog > 0)
        ::kill(static_cast<pid_t>(m_watchdog), SIGTERM);
}
