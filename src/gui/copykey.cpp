#include "gui/copykey.h"

#include <QKeyEvent>
#include <QLineEdit>

CopyWithoutSelection::CopyWithoutSelection(QLineEdit* edit)
    : QObject(edit)
    , m_edit(edit) {
    edit->installEventFilter(this);
}

// The text box claims the copy key before any shortcut sees it; left unclaimed, the key goes to
// the shortcut of Edit > Copy.
bool CopyWithoutSelection::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_edit && event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy) && !m_edit->hasSelectedText()) {
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
