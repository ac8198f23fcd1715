#pragma once

#include <functional>
#include <QString>

class QWidget;

// Every event handler runs its command through ReportErrors: an error that reaches it is shown in
// a message box ("Run-time error 'N':" and the description) and the program goes on running. Any
// other exception is shown the same way, as 7 "Out of memory" for std::bad_alloc and as 51
// "Internal error" with its text for the rest.
namespace ErrorReport {

// Shows one message to the user; tests replace it to read what would have been shown.
using Presenter = std::function<void(QWidget* parent, const QString& title, const QString& text)>;
void setPresenter(Presenter presenter);
void show(QWidget* parent, const QString& text);

// Runs command; returns false when it ended in an error, which has then been shown.
bool run(QWidget* parent, const std::function<void()>& command);

} // namespace ErrorReport
