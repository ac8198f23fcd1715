#include "gui/notelabel.h"

#include <QResizeEvent>

NoteLabel::NoteLabel(QWidget* parent)
    : QLabel(parent) {
    setTextFormat(Qt::PlainText); // letters from the text box are never markup
}

void NoteLabel::setNote(const QString& note) {
    m_note = note;
    setToolTip(note);
    setAccessibleDescription(note);
    fit();
}

QString NoteLabel::fitted(const QString& text, const QFontMetrics& metrics, int width) {
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    const QString ellipsis(u'\u2026');
    qsizetype end = text.lastIndexOf(u' ');
    while (end > 0) {
        const QString shortened = text.left(end).trimmed() + ellipsis;
        if (metrics.horizontalAdvance(shortened) <= width)
            return shortened;
        end = text.lastIndexOf(u' ', end - 1);
    }
    return metrics.elidedText(text, Qt::ElideRight, width);
}

void NoteLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    fit();
}

void NoteLabel::fit() {
    setText(fitted(m_note, fontMetrics(), contentsRect().width()));
}
