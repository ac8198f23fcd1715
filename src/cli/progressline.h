#pragma once

#include <functional>
#include <QElapsedTimer>
#include <QString>

// How far a long batch has gone, on one line of a terminal redrawn a few times a second, once the
// batch has taken a second: "Writing cards.pdf: 4,210 of 10,000 names". Nothing is shown where the
// messages go to a file or a pipe, which would keep every redrawing.
class ProgressLine {
public:
    using Show = std::function<void(const QString& text)>;

    // Shows through show, and only when shown on a terminal.
    ProgressLine(const QString& file, bool onTerminal, Show show);
    // Ends the line, if one was shown, so that what follows starts on a line of its own.
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    void update(qsizetype done, qsizetype total);

    // Whether standard error is a terminal.
    static bool errorsOnTerminal();

private:
    QString m_file;
    bool m_onTerminal;
    Show m_show;
    QElapsedTimer m_started;
    qint64 m_shownAt = -1; // milliseconds after the start; -1 before anything is shown
};
