#include "gui/steadycursor.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QStyleHints>

SteadyCursorForLongText::SteadyCursorForLongText(QLineEdit* box)
    : QObject(box)
    , m_box(box) {
    box->installEventFilter(this);
    connect(box, &QLineEdit::textChanged, this, &SteadyCursorForLongText::update);
}

SteadyCursorForLongText::~SteadyCursorForLongText() {
    setSteady(false);
}

bool SteadyCursorForLongText::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
        update();
    return QObject::eventFilter(watched, event);
}

void SteadyCursorForLongText::update() {
    setSteady(m_box->hasFocus() && m_box->text().size() > longText);
}

void SteadyCursorForLongText::setSteady(bool steady) {
    if (steady == m_steady)
        return;
    QStyleHints* hints = QGuiApplication::styleHints();
    if (steady)
        m_flashTime = hints->cursorFlashTime();
    hints->setCursorFlashTime(steady ? 0 : m_flashTime);
    m_steady = steady;
}
