#pragma once

#include <QDir>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

class QDialog;
class QLayout;
class QSettings;
class QWidget;

// What the File menu's save commands share in asking where and how.
namespace SaveDialogs {

// The first words of the English text as a file name of at most 40 characters, cut at a word's
// end where there is one: what no file system takes is left out, and the name never begins with
// a dot.
QString fileNameFor(const QString& text);

// The folder remembered under key, else the given standard one; the home folder where that is
// gone.
QDir startFolder(const QSettings& settings, const QString& key,
                 QStandardPaths::StandardLocation fallback);

// A save file dialog of the given types, each a filter ("PDF document (*.pdf)") and its suffix; a
// name typed without a suffix takes the chosen filter's. Empty when the user cancels.
QString askFileName(QWidget* parent, const QString& title, const QString& proposal,
                    const QList<std::pair<QString, QString>>& types);

// Shows a small dialog of options (the platforms' own file dialogs take none) with Save and Cancel
// under its controls; true when the user saves.
bool askOptions(QDialog& dialog, const QString& title, QLayout* controls);

} // namespace SaveDialogs
