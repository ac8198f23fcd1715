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

// The window's way of writing, with the letters and the cartouche as the document's options say:
// its dialog asks for both.
DocumentOptions written(DocumentOptions options, WritingOptions writing) {
    writing.letters = options.letters;
    writing.cartouche = options.cartouche;
    options.writing = writing;
    return options;
}

DocumentOptions rememberedOptions(const QSettings& settings, const WritingOptions& writing) {
    DocumentOptions options;
    options.glyphMillimetres = settings.value(sizeKey, options.glyphMillimetres).toDouble();
    options.letters = settings.value(lettersKey, options.letters).toBool();
    options.cartouche = settings.value(cartoucheKey, options.cartouche).toBool();
    return written(options, writing);
}

SaveDocumentRequest proposal(const GlyphRow& row, const QSettings& settings,
                             const WritingOptions& writing) {
    const QDir folder =
        SaveDialogs::startFolder(settings, folderKey, QStandardPaths::DocumentsLocation);
    const QString suffix = settings.value(suffixKey, QStringLiteral("pdf")).toString();
    return {folder.filePath(SaveDialogs::fileNameFor(row.text()) + u'.' + suffix),
            rememberedOptions(settings, writing)};
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
    options.glyphMillimetres = size->value();
    options.letters = letters->isChecked();
    options.cartouche = cartouche->isChecked();
    return options;
}

// The saved PDF's page and margins, so that paper shows what the file holds.
void preparePrinter(QPrinter& printer, const GlyphRow& row, const DocumentOptions& options) {
    printer.setDocName(row.text());
    printer.setPageLayout(documentPageLayout(options.paper));
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

void run(const AppContext& context, QWidget* parent, const GlyphRow& row, QSettings& settings,
         const WritingOptions& writing) {
    SaveDialogs::askRememberSave(
        proposal(row, settings, writing),
        [&](const SaveDocumentRequest& offered) {
            return context.askSaveDocument(parent, offered);
        },
        [&](const SaveDocumentRequest& chosen) { remember(chosen, settings); },
        [&](const SaveDocumentRequest& chosen) {
            // A long text makes a document of many pages: the window stays drawn, and Cancel
            // leaves no file.
            runWithProgress(parent, translated("Save As Document"),
                            translated("Saving %1...").arg(QFileInfo(chosen.path).fileName()),
                            [&row, &chosen, &writing](const std::stop_token& stop) {
                                saveDocument({row}, chosen.path, written(chosen.options, writing),
                                             stop);
                            });
        });
}

void print(QWidget* parent, const GlyphRow& row, const QSettings& settings,
           const WritingOptions& writing) {
    const DocumentOptions options = rememberedOptions(settings, writing);
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer, row, options);
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() == QDialog::Accepted)
        printDocument({row}, printer, options);
}

void preview(QWidget* parent, const GlyphRow& row, const QSettings& settings,
             const WritingOptions& writing) {
    const DocumentOptions options = rememberedOptions(settings, writing);
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer, row, options);
    QPrintPreviewDialog dialog(&printer, parent);
    paintPreview(dialog, row, options);
}

} // namespace SaveDocument
