#include "gui/accesskeylabel.h"

#include <QPainter>
#include <QStyle>

AccessKeyLabel::AccessKeyLabel(const QString& text, qsizetype keyIndex, QWidget* parent)
    : QLabel(text, parent)
    , m_keyIndex(keyIndex) {
    setTextFormat(Qt::PlainText);
}

// Drawn as QLabel draws plain text, with the text marked up for the style's own mnemonic
// underline, which follows the desktop's rule of when to show it.
void AccessKeyLabel::paintEvent(QPaintEvent* event) {
    if (m_keyIndex < 0 || m_keyIndex >= text().size()) {
        QLabel::paintEvent(event);
        return;
    }
    QString marked = text();
    marked.replace(u'&', QStringLiteral("&&"));
    marked.insert(m_keyIndex + text().left(m_keyIndex).count(u'&'), u'&');
    QPainter painter(this);
    drawFrame(&painter);
    const Qt::Alignment alignment = QStyle::visualAlignment(layoutDirection(), this->alignment());
    int flags = int(alignment) | Qt::TextShowMnemonic;
    if (!style()->styleHint(QStyle::SH_UnderlineShortcut, nullptr, this))
        flags |= Qt::TextHideMnemonic;
    style()->drawItemText(&painter,
                          contentsRect().adjusted(margin(), margin(), -margin(), -margin()), flags,
                          palette(), isEnabled(), marked, foregroundRole());
}
