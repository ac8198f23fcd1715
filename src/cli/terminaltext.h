#pragma once

#include <QString>
#include <QStringView>

// Text for a terminal that may hold what a user or a file gave: a control character would move the
// cursor, clear the screen or set the window's title, and a NUL would cut the line short.
namespace TerminalText {

// text with every control character (C0, DEL and C1) written as a visible escape: \0, \t, \n, \r,
// \x1b, \x7f, \u009b. Every other character, ordinary Unicode included, is kept as it is.
QString visible(QStringView text);

// Each line of text made visible as above, its line ends kept.
QString visibleLines(QStringView text);

} // namespace TerminalText
