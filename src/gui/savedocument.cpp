#include "gui/savedocument.h"

#include "gui/savedialogs.h"
#include "gui/workwithprogress.h"
#include "output/outputformats.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrintPreviewDialog>
#include <QSettings>

namespace SaveDocument {

namespace {

const QString folderKey = QStringLiteral("saveDocument/folder");
const QString suffixKey = QStringLiteral("saveDocument/suffix");
const QString sizeKey = QStringLiteral("saveDocument/glyphMillimetres");
const QString lettersKey = QStringLiteral("saveDocument/letters");
const QString cartoucheKey = QStringLiteral("saveDocument/cartouche");

QString translated(const char* text) {
    return QCoreApplication::translate("SaveDocument", text);
}

DocumentOptions rememberedOptions(const QSettings& settings) {
    const DocumentOptions defaults;
    return {settings.value(sizeKey, defaults.glyphMillimetres).toDouble(),
            settings.value(lettersKey, defaults.letters).toBool(),
            settings.value(cartoucheKey, defaults.cartouche).toBool()};
}

SaveDocumentRequest proposal(const GlyphRow& row, const QSettings& settings) {
    const QDir folder =
        SaveDialogs::startFolder(settings, folderKey, QStandardPaths::DocumentsLocation);
    const QString suffix = settings.value(suffixKey, QStringLiteral("pdf")).toString();
    return {folder.filePath(SaveDialogs::fileNameFor(row.text()) + u'.' + suffix),
            rememberedOptions(settings)};
}

void remember(const SaveDocumentRequest& chosen, QSettings& settings) {
    const QFileInfo file(chosen.path);
    settings.setValue(folderKey, file.absolutePath());
    settings.setValue(suffixKey, file.suffix().toLower());
    settings.setValue(sizeKey, chosen.options.glyphMillimetres);
    settings.setValue(lettersKey, chosen.options.letters);
    settings.setValue(cartoucheKey, chosen.options.cartouche);
}

std::optional<DocumentOptions> askOptions(QWidget* parent, DocumentOptions options) {
    QDialog dialog(parent);
    auto* size = new QDoubleSpinBox(&dialog);
    size->setRange(OutputFormats::SmallestGlyph, OutputFormats::LargestGlyph);
    size->setDecimals(1);
    size->setSuffix(QStringLiteral(" mm"));
    size->setValue(options.glyphMillimetres);
    auto* letters = new QCheckBox(translated("&Letters under each glyph"), &dialog);
    letters->setChecked(options.letters);
    auto* cartouche = new QCheckBox(translated("&Cartouche around each line"), &dialog);
    cartouche->setChecked(options.cartouche);
    auto* controls = new QFormLayout;
    controls->addRow(translated("&Glyph size:"), size);
    controls->addRow(letters);
    controls->addRow(cartouche);
    if (!SaveDialogs::askOptions(dialog, translated("Save As Document"), controls))
        return std::nullopt;
    return DocumentOptions{size->value(), letters->isChecked(), cartouche->isChecked(), {}};
}

// Errors inside the preview's paint requests cannot leave through its event loop: the first one
// closes the preview and is thrown after it.
void paintPreview(QPrintPreviewDialog& dialog, const GlyphRow& row,
                  const DocumentOptions& options) {
    std::optional<RuntimeError> failure;
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&](QPrinter* printer) {
                         try {
                             printDocument({row}, *printer, options);
                         } catch (const RuntimeError& error) {
                             failure = error;
                             dialog.reject();
                         }
                     });
    dialog.exec();
    if (failure)
        throw *failure;
}

} // namespace

std::optional<SaveDocumentRequest> askWithDialogs(QWidget* parent,
                                                  const SaveDocumentRequest& proposal) {
    return SaveDialogs::askFileThenOptions(parent, translated("Save As Document"), proposal,
                                           OutputFormat::Kind::Document, askOptions);
}

void run(const AppContext& context, QWidget* parent, const GlyphRow& row, QSettings& settings) {
    SaveDialogs::askRememberSave(
        proposal(row, settings),
        [&](const SaveDocumentRequest& offered) {
            return context.askSaveDocument(parent, offered);
        },
        [&](const SaveDocumentRequest& chosen) { remember(chosen, settings); },
        [&](const SaveDocumentRequest& chosen) {
            // A long text makes a document of many pages: the window stays drawn, and Cancel
            // leaves no file.
            runWithProgress(parent, translated("Save As Document"),
                            translated("Saving %1...").arg(QFileInfo(chosen.path).fileName()),
                            [&row, &chosen](const std::stop_token& stop) {
                                saveDocument({row}, chosen.path, chosen.options, stop);
                            });
        });
}

void print(QWidget* parent, const GlyphRow& row, const QSettings& settings) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(row.text());
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() == QDialog::Accepted)
        printDocument({row}, printer, rememberedOptions(settings));
}

void preview(QWidget* parent, const GlyphRow& row, const QSettings& settings) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(row.text());
    QPrintPreviewDialog dialog(&printer, parent);
    paintPreview(dialog, row, rememberedOptions(settings));
}

} // namespace SaveDocument
