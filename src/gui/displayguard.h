#pragma once

#include <QtGlobal>

// Guards the creation of the window's application object: where Qt finds no display to show the
// window on, the program ends with one line on standard error and status 1 instead of Qt's abort.
// Qt's own warnings of the start are held back until it has either failed or succeeded.
class DisplayGuard {
public:
    DisplayGuard();
    ~DisplayGuard();
    DisplayGuard(const DisplayGuard&) = delete;
    DisplayGuard& operator=(const DisplayGuard&) = delete;

private:
    QtMessageHandler m_previous;
};
