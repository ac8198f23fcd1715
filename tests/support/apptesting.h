#pragma once

#include "gui/appcontext.h"
#include "platform/versioninfo.h"

#include <optional>
#include <QList>
#include <QStringList>
#include <QTemporaryDir>
#include <utility>

// What the program would have shown, recorded instead of opening modal message boxes, and the
// context that records it: each test builds its own, so nothing it sets outlives it.
class RecordedMessages {
public:
    AppContext context(const QString& applicationFolder, WordProcessorFactory wordProcessor = {}) {
        return {applicationFolder,
                VersionInfo::current().fileDescription,
                [this](QWidget*, const QString& title, const QString& text) {
                    titles.append(title);
                    texts.append(text);
                },
                std::move(wordProcessor),
                [this] { return wordProcessorInfo; },
                settings.filePath(QStringLiteral("settings.ini")),
                [this](QWidget*, const SavePictureRequest& proposal) {
                    savePictureProposals.append(proposal);
                    return savePictureAnswer;
                },
                [this](QWidget*, const SaveDocumentRequest& proposal) {
                    saveDocumentProposals.append(proposal);
                    return saveDocumentAnswer;
                }};
    }

    QStringList titles;
    QStringList texts;
    QTemporaryDir settings; // the options a test sets stay in the test
    WordProcessorInfo wordProcessorInfo{QStringLiteral("Test Word"), QString(), QString()};
    // File > Save Picture As: what the window proposed, and the answer it gets (nothing: cancel).
    QList<SavePictureRequest> savePictureProposals;
    std::optional<SavePictureRequest> savePictureAnswer;
    // File > Save As Document, the same way.
    QList<SaveDocumentRequest> saveDocumentProposals;
    std::optional<SaveDocumentRequest> saveDocumentAnswer;
};
