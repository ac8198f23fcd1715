#pragma once

#include <functional>
#include <stop_token>

class QString;
class QWidget;

// Runs work on a thread of its own while the window waits, so the window keeps drawing itself. The
// first half second the window only takes no input (most work ends within it); then a progress
// dialog shows whose Cancel asks the work to stop through its stop token. Rethrows what the work
// threw, except the user interrupt (RuntimeError 18) with which it answers Cancel.
void runWithProgress(QWidget* parent, const QString& title, const QString& label,
                     const std::function<void(const std::stop_token&)>& work);
