#include "cli/progressline.h"

#include <cstdio>
#include <QCoreApplication>
#include <QLocale>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

// A batch shorter than this shows nothing; a longer one is redrawn at most this often.
constexpr qint64 quietMilliseconds = 1000;
constexpr qint64 redrawMilliseconds = 250;

} // namespace

ProgressLine::ProgressLine(const QString& file, bool onTerminal, Show show)
    : m_file(file)
    , m_onTerminal(onTerminal)
    , m_show(std::move(show)) {
    m_started.start();
}

ProgressLine::~ProgressLine() {
    if (m_shownAt >= 0)
        m_show(QStringLiteral("\n"));
}

void ProgressLine::update(qsizetype done, qsizetype total) {
    const qint64 now = m_started.elapsed();
    const bool last = done == total && m_shownAt >= 0;
    if (!m_onTerminal || now < quietMilliseconds ||
        (!last && m_shownAt >= 0 && now - m_shownAt < redrawMilliseconds))
        return;
    m_shownAt = now;
    const QLocale locale;
    m_show(QCoreApplication::translate("CommandLine", "\rWriting %1: %2 of %3 names")
               .arg(m_file, locale.toString(done), locale.toString(total)));
}

bool ProgressLine::errorsOnTerminal() {
#ifdef Q_OS_WIN
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(fileno(stderr)) != 0;
#endif
}
