#include "gui/export/exporttoword.h"

#include "gui/export/wordexportjob.h"

#include <chrono>
#include <QApplication>
#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>

namespace {

constexpr std::chrono::milliseconds progressDelay{500};

QString translated(const char* text) {
    return QCoreApplication::translate("exportToWord", text);
}

class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::BusyCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

// The first moments: most exports end within them, so no dialog flashes up; the window's input
// waits meanwhile.
void waitWithoutDialog(QEventLoop& loop) {
    QTimer::singleShot(progressDelay, &loop, [&loop] { loop.quit(); });
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

void waitWithDialog(QEventLoop& loop, WordExportJob& job, QWidget* parent, const QString& title,
                    const QString& wordProcessorName) {
    QProgressDialog dialog(translated("Exporting to %1...").arg(wordProcessorName),
                           translated("Cancel"), 0, 0, parent);
    dialog.setWindowTitle(title);
    dialog.setWindowModality(Qt::WindowModal);
    // Stays up after Cancel until the worker has given up.
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    QObject::connect(&dialog, &QProgressDialog::canceled, &dialog, [&job, &dialog] {
        dialog.setLabelText(translated("Cancelling..."));
        job.cancel();
    });
    dialog.show();
    loop.exec();
}

} // namespace

void exportToWord(QWidget* parent, const GlyphSlots& glyphFiles, const GlyphSlots& altTexts,
                  const WordProcessorFactory& wordProcessor, const QString& title,
                  const QString& wordProcessorName) {
    const BusyCursor busy;
    QEventLoop loop;
    WordExportJob job(wordProcessor, glyphFiles, altTexts, [&loop] {
        QMetaObject::invokeMethod(
            &loop, [&loop] { loop.quit(); }, Qt::QueuedConnection);
    });
    waitWithoutDialog(loop);
    if (!job.isFinished())
        waitWithDialog(loop, job, parent, title, wordProcessorName);
    // Still running only when the application quits, which ends every event loop.
    if (!job.isFinished())
        job.cancel();
    job.wait();
    job.rethrowFailure();
}
