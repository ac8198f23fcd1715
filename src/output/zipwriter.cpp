// The zip packages of the ODT and the DOCX, written by QuaZip on a thread of their own.

#include "output/documentparts.h"
#include "platform/runtimeerror.h"

#include <quazip.h>
#include <quazipfile.h>
#include <quazipnewinfo.h>

namespace {

// Enough to keep the writer busy while the next picture is made, and no more in memory.
constexpr std::size_t mostWaiting = 8;

void throwZipError(int error) {
    throw RuntimeError(ErrorNumber::InternalError, QStringLiteral("zip error %1").arg(error));
}

} // namespace

ZipWriter::ZipWriter(QIODevice& device)
    : m_zip(std::make_unique<QuaZip>(&device)) {
    // The device is the caller's to close.
    m_zip->setAutoClose(false);
    if (!m_zip->open(QuaZip::mdCreate))
        throwZipError(m_zip->getZipError());
    m_writer = std::thread([this] { writeInTurn(); });
}

ZipWriter::~ZipWriter() {
    {
        const std::lock_guard lock(m_mutex);
        m_ending = true;
        m_waiting.clear();
    }
    m_changed.notify_all();
    if (m_writer.joinable())
        m_writer.join();
}

void ZipWriter::add(ZipMember member) {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_waiting.size() < mostWaiting || m_failure; });
    if (m_failure)
        std::rethrow_exception(m_failure);
    m_waiting.push_back(std::move(member));
    m_changed.notify_all();
}

void ZipWriter::finish() {
    {
        const std::lock_guard lock(m_mutex);
        m_ending = true;
    }
    m_changed.notify_all();
    m_writer.join();
    if (m_failure)
        std::rethrow_exception(m_failure);
    m_zip->close();
    if (m_zip->getZipError() != 0)
        throwZipError(m_zip->getZipError());
}

// Until the last member is written, or one fails.
void ZipWriter::writeInTurn() {
    while (true) {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return !m_waiting.empty() || m_ending; });
        if (m_waiting.empty())
            return;
        const ZipMember member = std::move(m_waiting.front());
        m_waiting.pop_front();
        lock.unlock();
        m_changed.notify_all();
        try {
            write(member);
        } catch (...) {
            lock.lock();
            m_failure = std::current_exception();
            m_waiting.clear();
            m_changed.notify_all();
            return;
        }
    }
}

void ZipWriter::write(const ZipMember& member) {
    QuaZipNewInfo info(member.name);
    // Readable by everyone once unpacked, as a file saved by the program is.
    info.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    QuaZipFile file(m_zip.get());
    if (!file.open(QIODevice::WriteOnly, info, nullptr, 0, member.stored ? 0 : Z_DEFLATED,
                   Z_BEST_SPEED) ||
        file.write(member.bytes) != member.bytes.size())
        throw RuntimeError(
            ErrorNumber::InternalError,
            QStringLiteral("%1 (zip error %2)").arg(member.name).arg(file.getZipError()));
    file.close();
}
