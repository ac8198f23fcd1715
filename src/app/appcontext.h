#pragma once

#include "wordprocessor.h"

#include <functional>
#include <QString>

class QWidget;

// What the window and its commands take from the program around them. The start builds one and
// hands it down; a test builds its own, so nothing it sets can reach the next test.
struct AppContext {
    // Shows one message to the user: a message box in the program, a record in tests.
    using MessagePresenter =
        std::function<void(QWidget* parent, const QString& title, const QString& text)>;

    // Where Alphabet.dat, Images and Help live: the executable's folder in the program.
    QString applicationFolder;
    // The title of the program's message boxes and dialogs.
    QString title;
    MessagePresenter showMessage;
    // The word processor that File > Export to Word drives, and what the window says of it.
    WordProcessorFactory wordProcessor;
    std::function<WordProcessorInfo()> describeWordProcessor;
    // Where the options are remembered: empty for the user's own settings of the program, else an
    // INI file of that path.
    QString settingsFile;
};
