#pragma once

#include "gui/appcontext.h"

#include <functional>
#include <QString>

class QWidget;

// Every event handler runs its command through ErrorReport::run: an error that reaches it is shown
// in a message box ("Run-time error 'N':" and the description) and the program goes on running. Any
// other exception is shown the same way, as 7 "Out of memory" for std::bad_alloc and as 51
// "Internal error" with its text for the rest.
namespace ErrorReport {

// The program's way of showing a message: a critical message box with an OK button.
void showMessageBox(QWidget* parent, const QString& title, const QString& text);

void show(const AppContext& context, QWidget* parent, const QString& text);

// Runs command; returns false when it ended in an error, which has then been shown.
bool run(const AppContext& context, QWidget* parent, const std::function<void()>& command);

} // namespace ErrorReport
