#pragma once

#include <QString>
#include <QUrl>

// Opening a web address or a file with whatever the user's desktop opens it with.
namespace DefaultHandler {

// Starts the user's default handler for target (a web address or a full file path) and returns at
// once. Nothing is reported: a target that cannot be opened leaves the program as it was.
void open(const QString& target);

// How a target reaches a URL-based desktop: a web address as written, anything else as a file.
QUrl urlFor(const QString& target);

} // namespace DefaultHandler
