#pragma once

#include "core/glyphrow.h"
#include "output/outputformats.h"

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

// The English text as a file name: what no file system takes is left out.
QString fileNameFor(const GlyphRow& row);

// The folder remembered under key, else the given standard one; the home folder where that is
// gone.
QDir startFolder(const QSettings& settings, const QString& key,
                 QStandardPaths::StandardLocation fallback);

// A save file dialog of the given types; a name typed without a suffix takes the chosen type's.
// Empty when the user cancels.
QString askFileName(QWidget* parent, const QString& title, const QString& proposal,
                    const QList<OutputFormat>& types);

// Shows a small dialog of options (the platforms' own file dialogs take none) with Save and Cancel
// under its controls; true when the user saves.
bool askOptions(QDialog& dialog, const QString& title, QLayout* controls);

} // namespace SaveDialogs
