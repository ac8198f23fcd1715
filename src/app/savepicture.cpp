#include "savepicture.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace SavePicture {

namespace {

const QString folderKey = QStringLiteral("savePicture/folder");
const QString transparentKey = QStringLiteral("savePicture/transparent");
const QString lettersKey = QStringLiteral("savePicture/letters");

QString translated(const char* text) {
    return QCoreApplication::translate("SavePicture", text);
}

// The English text as a file name: what no file system takes is left out.
QString fileNameFor(const GlyphRow& row) {
    QString name;
    for (const QChar c : row.text()) {
        if (c.isPrint() && !QStringView(u"\\/:*?\"<>|").contains(c))
            name += c;
    }
    name = name.trimmed();
    return name.isEmpty() ? QStringLiteral("glyphs") : name;
}

// The folder of the last save, else the user's pictures; the home folder where that is gone.
QDir startFolder(const QSettings& settings) {
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    const QDir folder(settings.value(folderKey, pictures).toString());
    return folder.exists() ? folder : QDir::home();
}

SavePictureRequest proposal(const GlyphRow& row, const QSettings& settings) {
    const QDir folder = startFolder(settings);
    return {folder.filePath(fileNameFor(row) + QStringLiteral(".png")),
            {settings.value(transparentKey, false).toBool(),
             settings.value(lettersKey, false).toBool()}};
}

void remember(const SavePictureRequest& chosen, QSettings& settings) {
    settings.setValue(folderKey, QFileInfo(chosen.path).absolutePath());
    settings.setValue(transparentKey, chosen.options.transparent);
    settings.setValue(lettersKey, chosen.options.letters);
}

// A small dialog after the file dialog, since the platforms' own file dialogs take no options.
std::optional<RowPictureOptions> askOptions(QWidget* parent, RowPictureOptions options) {
    QDialog dialog(parent);
    dialog.setWindowTitle(translated("Save Picture As"));
    auto* transparent = new QCheckBox(translated("&Transparent background"), &dialog);
    auto* letters = new QCheckBox(translated("&Letters under each glyph"), &dialog);
    transparent->setChecked(options.transparent);
    letters->setChecked(options.letters);
    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(transparent);
    layout->addWidget(letters);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    options.transparent = transparent->isChecked();
    options.letters = letters->isChecked();
    return options;
}

} // namespace

std::optional<SavePictureRequest> askWithDialogs(QWidget* parent,
                                                 const SavePictureRequest& proposal) {
    const QString png = translated("PNG picture (*.png)");
    const QString svg = translated("SVG picture (*.svg)");
    QString filter = png;
    QString path =
        QFileDialog::getSaveFileName(parent, translated("Save Picture As"), proposal.path,
                                     png + QStringLiteral(";;") + svg, &filter);
    if (path.isEmpty())
        return std::nullopt;
    if (QFileInfo(path).suffix().isEmpty())
        path += filter == svg ? QStringLiteral(".svg") : QStringLiteral(".png");
    const std::optional<RowPictureOptions> options = askOptions(parent, proposal.options);
    if (!options)
        return std::nullopt;
    return SavePictureRequest{path, *options};
}

void run(const AppContext& context, QWidget* parent, const GlyphRow& row, QSettings& settings) {
    const std::optional<SavePictureRequest> chosen =
        context.askSavePicture(parent, proposal(row, settings));
    if (!chosen)
        return;
    remember(*chosen, settings);
    RowPictureOptions options = chosen->options;
    options.scale = parent->devicePixelRatioF() > 1.0 ? 2.0 : 1.0;
    saveRowPicture(row, chosen->path, options);
}

} // namespace SavePicture
