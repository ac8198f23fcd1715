#pragma once

#include "qtprinters.h"
#include "wordprocessor/writer/officeprocess.h"
#include "wordprocessor/writer/writerwordprocessor.h"

#include <memory>
#include <QStringList>
#include <QTemporaryDir>

// What a stored document holds, one line per paragraph: its text, then each picture as the
// pixel size of the image stored in the document, followed by what is wrong with it, if anything
// (":linked", ":floating", ":size=WxH" when not shown at its natural size), and by its
// alternative text in braces, if it has one (in .odt "{title|description}" when the two differ).
struct DocumentDescription {
    QStringList docx;
    QStringList odt;
};

// What the office says about its documents.
struct DocumentState {
    int textDocuments = 0;
    bool modified = false;
    bool stored = false; // has a file of its own
};

// A headless LibreOffice for one test: a pipe and a profile folder of its own, so tests never
// meet each other or the user's office. At the end the office is ended, by its process id (the
// id of its process group) when it does not end by itself.
class OfficeSession {
public:
    OfficeSession();
    ~OfficeSession();
    OfficeSession(const OfficeSession&) = delete;
    OfficeSession& operator=(const OfficeSession&) = delete;

    // The file of the session's pipe, where its office is reached.
    QString pipeFile() const;
    // Settings that reach this session's office and start it headless with its own profile.
    WriterSettings settings() const;
    // Starts the office as a user would have, before the export; waits until it accepts.
    void startOffice();
    // Starts an office with the document open that accepts connections only on another pipe, as
    // the user's own office that a start for the session's pipe is handed over to.
    void startUsersOffice(const QString& document);
    // The office that a word processor of this session started, to be ended with the session;
    // ignored when the session has started an office itself (a start was then handed over to it).
    void adopt(qint64 processId);
    // Stops and resumes every process of the office, to play an office that does not answer.
    void freeze();
    void thaw();

    // A GIF file of the given size in the session's folder, each size its own colour.
    QString gif(int width, int height);
    QString folder() const { return m_folder.path(); }

    // Stores the active document as .docx and .odt without changing it, and describes both.
    DocumentDescription describeActiveDocument();
    DocumentState state();
    // Selects the whole text of the active document, as a user may have left it.
    void selectAllText();

private:
    QString profileUrl() const;
    void setOffice(qint64 processGroup);
    QStringList pipeFiles() const;
    void launch(const WriterSettings& office, const QStringList& documents);
    void stopOffice();

    QTemporaryDir m_folder;
    QString m_pipeName;
    QString m_officePipe; // where the session's office accepts connections
    std::unique_ptr<OfficeProcess> m_started;
    qint64 m_processGroup = 0;
    qint64 m_watchdog = 0;
};
