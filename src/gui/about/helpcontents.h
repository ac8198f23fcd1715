#pragma once

#include <QString>

// The local help page: "Help/index.html" in the application folder (platform separators).
QString HelpContentsPath(const QString& applicationFolder);

// Help, Contents: opens the help page with the default handler. Nothing is checked or reported,
// so a missing page shows no message from the program.
void ShowHelpContents(const QString& applicationFolder);
