#include "gui/savepicture.h"

#include "gui/savedialogs.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QFileInfo>
#include <QSettings>
#include <QVBoxLayout>

namespace SavePicture {

namespace {

const QString folderKey = QStringLiteral("savePicture/folder");
const QString transparentKey = QStringLiteral("savePicture/transparent");
const QString lettersKey = QStringLiteral("savePicture/letters");

QString translated(const char* text) {
    return QCoreApplication::translate("SavePicture", text);
}

SavePictureRequest proposal(const GlyphRow& row, const QSettings& settings,
                            const WritingOptions& writing) {
    const QDir folder =
        SaveDialogs::startFolder(settings, folderKey, QStandardPaths::PicturesLocation);
    return {folder.filePath(SaveDialogs::fileNameFor(row.text()) + QStringLiteral(".png")),
            {settings.value(transparentKey, false).toBool(),
             settings.value(lettersKey, false).toBool(), 1.0, writing}};
}

void remember(const SavePictureRequest& chosen, QSettings& settings) {
    settings.setValue(folderKey, QFileInfo(chosen.path).absolutePath());
    settings.setValue(transparentKey, chosen.options.transparent);
    settings.setValue(lettersKey, chosen.options.letters);
}

// A small dialog after the file dialog, since the platforms' own file dialogs take no options.
std::optional<RowPictureOptions> askOptions(QWidget* parent, RowPictureOptions options) {
    QDialog dialog(parent);
    auto* transparent = new QCheckBox(translated("&Transparent background"), &dialog);
    auto* letters = new QCheckBox(translated("&Letters under each glyph"), &dialog);
    transparent->setChecked(options.transparent);
    letters->setChecked(options.letters);
    auto* controls = new QVBoxLayout;
    controls->addWidget(transparent);
    controls->addWidget(letters);
    if (!SaveDialogs::askOptions(dialog, translated("Save Picture As"), controls))
        return std::nullopt;
    options.transparent = transparent->isChecked();
    options.letters = letters->isChecked();
    return options;
}

} // namespace

std::optional<SavePictureRequest> askWithDialogs(QWidget* parent,
                                                 const SavePictureRequest& proposal) {
    return SaveDialogs::askFileThenOptions(parent, translated("Save Picture As"), proposal,
                                           OutputFormat::Kind::Picture, askOptions);
}

void run(const AppContext& context, QWidget* parent, const GlyphRow& row, QSettings& settings,
         const WritingOptions& writing) {
    SaveDialogs::askRememberSave(
        proposal(row, settings, writing),
        [&](const SavePictureRequest& offered) { return context.askSavePicture(parent, offered); },
        [&](const SavePictureRequest& chosen) { remember(chosen, settings); },
        [&](const SavePictureRequest& chosen) {
            RowPictureOptions options = chosen.options;
            options.scale = parent->devicePixelRatioF() > 1.0 ? 2.0 : 1.0;
            options.writing = writing;
            options.writing.letters = options.letters;
            saveRowPicture(row, chosen.path, options);
        });
}

} // namespace SavePicture
