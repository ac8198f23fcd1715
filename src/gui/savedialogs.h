#pragma once

#include "core/glyphrow.h"
#include "gui/appcontext.h"
#include "output/outputformats.h"

#include <optional>
#include <QDialogButtonBox>
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

// A save file dialog of the given types; a name typed without a suffix takes the chosen type's.
// Empty when the user cancels.
QString askFileName(QWidget* parent, const QString& title, const QString& proposal,
                    const QList<OutputFormat>& types);

// Shows a small dialog of options (the platforms' own file dialogs take none) with the accept
// button (Save unless given) and Cancel under its controls; true when the user accepts.
bool askOptions(QDialog& dialog, const QString& title, QLayout* controls,
                QDialogButtonBox::StandardButton accept = QDialogButtonBox::Save);

// The save commands' way of asking: a file dialog of the formats of the kind, then the small
// dialog of the options (askOptions answers nothing when the user cancels it). Nothing when the
// user cancels either.
template <typename Options, typename AskOptions>
std::optional<SaveRequest<Options>>
askFileThenOptions(QWidget* parent, const QString& title, const SaveRequest<Options>& proposal,
                   OutputFormat::Kind kind, AskOptions askOptions) {
    const QString path = askFileName(parent, title, proposal.path, OutputFormats::ofKind(kind));
    if (path.isEmpty())
        return std::nullopt;
    const std::optional<Options> options = askOptions(parent, proposal.options);
    if (!options)
        return std::nullopt;
    return SaveRequest<Options>{path, *options};
}

// A save command: asks, starting from the proposal; when the user chooses, remembers the choice
// for the next time, then saves.
template <typename Options, typename Ask, typename Remember, typename Save>
void askRememberSave(const SaveRequest<Options>& proposal, Ask ask, Remember remember, Save save) {
    const std::optional<SaveRequest<Options>> chosen = ask(proposal);
    if (!chosen)
        return;
    remember(*chosen);
    save(*chosen);
}

} // namespace SaveDialogs
