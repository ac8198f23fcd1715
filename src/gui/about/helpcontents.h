#pragma once

#include <functional>
#include <QString>

// The local help page: "Help/index.html" in the application folder (platform separators).
QString HelpContentsPath(const QString& applicationFolder);

// Help, Contents: opens the help page with the default handler. When no handler opens it,
// cannotOpen is given the page's path, so that the user can be told where it is.
void ShowHelpContents(const QString& applicationFolder,
                      const std::function<void(const QString& page)>& cannotOpen = {});
