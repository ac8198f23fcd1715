#include "gui/savedialogs.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>
#include <QVBoxLayout>

namespace SaveDialogs {

namespace {

// Enough words to know the file by, short enough for any file system and any file dialog.
constexpr qsizetype fileNameLength = 40;

} // namespace

QString fileNameFor(const QString& text) {
    QString name;
    for (const QChar c : text) {
        if (c.isSpace())
            name += u' ';
        else if (c.isPrint() && !QStringView(u"\\/:*?\"<>|").contains(c))
            name += c;
    }
    name = name.simplified();
    if (name.size() > fileNameLength) {
        const qsizetype wordEnd = name.lastIndexOf(u' ', fileNameLength);
        name.truncate(wordEnd > 0 ? wordEnd : fileNameLength);
    }
    // No hidden file, and nothing a file system drops from a name's ends.
    while (name.startsWith(u'.') || name.startsWith(u' '))
        name.remove(0, 1);
    while (name.endsWith(u'.') || name.endsWith(u' '))
        name.chop(1);
    return name.isEmpty() ? QStringLiteral("glyphs") : name;
}

QDir startFolder(const QSettings& settings, const QString& key,
                 QStandardPaths::StandardLocation fallback) {
    const QDir folder(settings.value(key, QStandardPaths::writableLocation(fallback)).toString());
    return folder.exists() ? folder : QDir::home();
}

QString askFileName(QWidget* parent, const QString& title, const QString& proposal,
                    const QList<OutputFormat>& types) {
    QStringList filters;
    for (const OutputFormat& type : types)
        filters.append(type.filter());
    QString chosen = filters.constFirst();
    const QString suffix = QFileInfo(proposal).suffix().toLower();
    for (const OutputFormat& type : types) {
        if (type.suffixes.contains(suffix))
            chosen = type.filter();
    }
    QString path = QFileDialog::getSaveFileName(parent, title, proposal,
                                                filters.join(QStringLiteral(";;")), &chosen);
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    for (const OutputFormat& type : types) {
        if (type.filter() == chosen)
            return path + u'.' + type.suffix();
    }
    return path;
}

bool askOptions(QDialog& dialog, const QString& title, QLayout* controls,
                QDialogButtonBox::StandardButton accept) {
    dialog.setWindowTitle(title);
    auto* buttons = new QDialogButtonBox(accept | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addLayout(controls);
    layout->addWidget(buttons);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace SaveDialogs
