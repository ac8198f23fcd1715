#pragma once

#include <QApplication>
#include <QProgressDialog>

// The export's progress dialog while it shows, else null.
inline QProgressDialog* visibleProgressDialog() {
    const auto widgets = QApplication::topLevelWidgets();
    for (QWidget* widget : widgets) {
        if (auto* dialog = qobject_cast<QProgressDialog*>(widget); dialog && dialog->isVisible())
            return dialog;
    }
    return nullptr;
}
