#include "gui/savedocument.h"

#include "gui/savedialogs.h"
#include "gui/workwithprogress.h"
#include "output/outputformats.h"

#include <QCheckBox>
#include <QComboBox>
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
const QString pageKey = QStringLiteral("saveDocument/page");
const QString fitKey = QStringLiteral("saveDocument/fitToPage");
const QString unicodeLineKey = QStringLiteral("saveDocument/unicodeLine");

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
    // A name large on its sheet unless the user chose otherwise.
    const int page = settings.value(pageKey, int(PageKind::Sheet)).toInt();
    options.page = page >= 0 && page <= int(PageKind::Text) ? PageKind(page) : PageKind::Sheet;
    options.fitToPage = settings.value(fitKey, true).toBool();
    options.unicodeLine = settings.value(unicodeLineKey, options.unicodeLine).toBool();
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

void rememberOptions(const DocumentOptions& options, QSettings& settings) {
    settings.setValue(sizeKey, options.glyphMillimetres);
    settings.setValue(lettersKey, options.letters);
    settings.setValue(cartoucheKey, options.cartouche);
    settings.setValue(pageKey, int(options.page));
    settings.setValue(fitKey, options.fitToPage);
    settings.setValue(unicodeLineKey, options.unicodeLine);
}

void remember(const SaveDocumentRequest& chosen, QSettings& settings) {
    const QFileInfo file(chosen.path);
    settings.setValue(folderKey, file.absolutePath());
    settings.setValue(suffixKey, file.suffix().toLower());
    rememberOptions(chosen.options, settings);
}

// The page kinds as the dialog offers them, in the order of PageKind.
QStringList pageKindNames() {
    return {translated("The name large on a sheet"), translated("Name cards, eight a page"),
            translated("Text in lines")};
}

// The glyph size, or, at its lowest, the name as large as its sheet or card allows.
QDoubleSpinBox* glyphSizeBox(QWidget* parent, const DocumentOptions& options) {
    auto* size = new QDoubleSpinBox(parent);
    size->setRange(OutputFormats::SmallestGlyph - 0.1, OutputFormats::LargestGlyph);
    size->setDecimals(1);
    size->setSuffix(QStringLiteral(" mm"));
    size->setSpecialValueText(translated("Fit the page"));
    size->setValue(options.fitToPage ? size->minimum() : options.glyphMillimetres);
    return size;
}

std::optional<DocumentOptions>
askOptions(QWidget* parent, DocumentOptions options, const QString& title,
           QDialogButtonBox::StandardButton accept = QDialogButtonBox::Save) {
    QDialog dialog(parent);
    auto* page = new QComboBox(&dialog);
    page->addItems(pageKindNames());
    page->setCurrentIndex(int(options.page));
    QDoubleSpinBox* size = glyphSizeBox(&dialog, options);
    auto* letters = new QCheckBox(translated("&Letters under each glyph"), &dialog);
    letters->setChecked(options.letters);
    auto* cartouche = new QCheckBox(translated("&Cartouche around each line"), &dialog);
    cartouche->setChecked(options.cartouche);
    auto* unicodeLine = new QCheckBox(translated("&Unicode hieroglyphs under the signs"), &dialog);
    unicodeLine->setChecked(options.unicodeLine);
    auto* controls = new QFormLayout;
    controls->addRow(translated("P&age:"), page);
    controls->addRow(translated("&Glyph size:"), size);
    controls->addRow(letters);
    controls->addRow(cartouche);
    controls->addRow(unicodeLine);
    if (!SaveDialogs::askOptions(dialog, title, controls, accept))
        return std::nullopt;
    options.page = PageKind(page->currentIndex());
    options.fitToPage = size->value() == size->minimum();
    if (!options.fitToPage)
        options.glyphMillimetres = size->value();
    options.letters = letters->isChecked();
    options.cartouche = cartouche->isChecked();
    options.unicodeLine = unicodeLine->isChecked();
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

// The options of the document dialog, asked again before printing, and remembered with it: the
// same page as the saved document, written as the window writes.
std::optional<DocumentOptions> askPrintOptions(QWidget* parent, const QString& title,
                                               QSettings& settings, const WritingOptions& writing) {
    std::optional<DocumentOptions> options =
        askOptions(parent, rememberedOptions(settings, writing), title, QDialogButtonBox::Ok);
    if (options) {
        rememberOptions(*options, settings);
        options = written(*options, writing);
    }
    return options;
}

} // namespace

std::optional<SaveDocumentRequest> askWithDialogs(QWidget* parent,
                                                  const SaveDocumentRequest& proposal) {
    return SaveDialogs::askFileThenOptions(
        parent, translated("Save As Document"), proposal, OutputFormat::Kind::Document,
        [](QWidget* owner, const DocumentOptions& options) {
            return askOptions(owner, options, translated("Save As Document"));
        });
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

void print(QWidget* parent, const GlyphRow& row, QSettings& settings,
           const WritingOptions& writing) {
    const std::optional<DocumentOptions> options =
        askPrintOptions(parent, translated("Print"), settings, writing);
    if (!options)
        return;
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer, row, *options);
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() == QDialog::Accepted)
        printDocument({row}, printer, *options);
}

void preview(QWidget* parent, const GlyphRow& row, QSettings& settings,
             const WritingOptions& writing) {
    const std::optional<DocumentOptions> options =
        askPrintOptions(parent, translated("Print Preview"), settings, writing);
    if (!options)
        return;
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer, row, *options);
    QPrintPreviewDialog dialog(&printer, parent);
    paintPreview(dialog, row, *options);
}

} // namespace SaveDocument
