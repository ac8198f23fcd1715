#pragma once

#include "core/glyphrow.h"
#include "gui/appcontext.h"

#include <optional>

class QSettings;
class QWidget;

// File > Save Picture As: the row as a PNG or SVG file.
namespace SavePicture {

// The program's way of asking: a file dialog (PNG or SVG), then a small dialog of the options.
std::optional<SavePictureRequest> askWithDialogs(QWidget* parent,
                                                 const SavePictureRequest& proposal);

// Asks through the context where and how, then saves the row there, written as writing says (with
// letters as the user chooses), at twice the size on a screen of more than one device pixel per
// pixel. The folder and the options are remembered in settings for the next time. Throws
// RuntimeError when the picture cannot be saved.
void run(const AppContext& context, QWidget* parent, const GlyphRow& row, QSettings& settings,
         const WritingOptions& writing);

} // namespace SavePicture
