#pragma once

#include "output/document.h"
#include "output/rowpicture.h"
#include "wordprocessor/api/wordprocessor.h"

#include <functional>
#include <optional>
#include <QString>

class QWidget;

// A file of the row and how it is written.
template <typename Options> struct SaveRequest {
    QString path;
    Options options;
};

// A picture file of the row and how it is drawn.
using SavePictureRequest = SaveRequest<RowPictureOptions>;
// A document file of the row and how it is set.
using SaveDocumentRequest = SaveRequest<DocumentOptions>;

// What the window and its commands take from the program around them. The start builds one and
// hands it down; a test builds its own, so nothing it sets can reach the next test.
struct AppContext {
    // Shows one message to the user: a message box in the program, a record in tests.
    using MessagePresenter =
        std::function<void(QWidget* parent, const QString& title, const QString& text)>;
    // Asks where to save the row's picture and how, starting from a proposal; nothing when the
    // user cancels. Dialogs in the program, an answer set beforehand in tests.
    using SavePictureAsker = std::function<std::optional<SavePictureRequest>(
        QWidget* parent, const SavePictureRequest& proposal)>;
    // The same for File > Save As Document.
    using SaveDocumentAsker = std::function<std::optional<SaveDocumentRequest>(
        QWidget* parent, const SaveDocumentRequest& proposal)>;

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
    SavePictureAsker askSavePicture;
    SaveDocumentAsker askSaveDocument;
};
