#pragma once

#include "wordprocessor/api/wordprocessor.h"
#include "wordprocessor/writer/abortswitch.h"
#include "wordprocessor/writer/officeconnection.h"
#include "wordprocessor/writer/officeprocess.h"

#include <chrono>
#include <memory>
#include <optional>
#include <QString>
#include <QStringList>

// Where the office is reached and how it is started.
struct WriterSettings {
    // The office accepts UNO connections on this pipe, a well-known name; where its file is not
    // safe to connect to (see PipeFile), a private name made for this run replaces it.
    QString pipeName;
    // The office program to start; empty when none is installed.
    QString program;
    // Given to a started office after our own arguments (tests: --headless, a profile of their
    // own).
    QStringList extraArguments;
    // How long a started office may take until it accepts the connection.
    std::chrono::milliseconds startTimeout{std::chrono::seconds(60)};
    // How long a call into the office may wait for its answer; then the export ends with error
    // 462.
    std::chrono::milliseconds answerTimeout{AbortSwitch::defaultAnswerTimeout};

    // The office's command line: no logo, no document restore, no start centre, accepting
    // connections on the pipe, then the extra arguments.
    QStringList startArguments() const;

    // The program's own settings: the pipe "scarabo" and the installed LibreOffice, which thus
    // opens in the user's own profile, windows and all.
    static WriterSettings forThisUser();
};

// Word automation played by LibreOffice Writer over UNO. "Running" means accepting connections on
// the settings' pipe. Starting runs the office with --accept for that pipe, and the look-up after
// it waits until the office answers, the started process fails, or the start timeout passes.
//
// A pipe whose file another account controls is never connected to: the look-up then finds
// nothing and switches to a private pipe, which the start uses and every later export of this run
// looks up first. An office that accepts the connection but does not answer a call within the
// answer timeout, or keeps hanging up while a started office is awaited, ends the export with 462.
//
// An office that the user already runs (without accepting connections) takes the start over: the
// started process hands its --accept to it and exits at once. That office is then the one found,
// and it is treated as already running: the document added right after the start is added only
// when it has no text document open.
class WriterWordProcessor final : public WordProcessor {
public:
    explicit WriterWordProcessor(WriterSettings settings);
    ~WriterWordProcessor() override;

    bool findRunning() override;
    void start() override;
    void attachRunning() override;
    void addDocument(AddDocumentArguments arguments) override;
    void setVisible(bool visible) override;
    int documentCount() override;
    void addPicture(const QString& path, const QString& altText) override;
    void typeParagraph() override;
    void abort() override;

    // The office process this object started, if it started one.
    std::optional<qint64> startedProcessId() const;
    // The pipe this object reaches the office on: the settings' or the private one of this run.
    const QString& pipeName() const { return m_pipeName; }

private:
    void usePrivatePipe(const RuntimeError& unsafe);
    std::unique_ptr<OfficeConnection> connect() const;
    std::unique_ptr<OfficeConnection> waitForStartedOffice() const;
    // The office held; throws RuntimeError 91 when none is.
    const OfficeConnection& office() const;
    template <class Work> auto onDesktop(Work work) const;

    const WriterSettings m_settings;
    QString m_pipeName;
    const std::shared_ptr<AbortSwitch> m_abortSwitch =
        std::make_shared<AbortSwitch>(m_settings.answerTimeout);
    std::unique_ptr<OfficeProcess> m_started;
    bool m_justStarted = false;
    std::unique_ptr<OfficeConnection> m_office;
};
