#pragma once

#include <QString>

// Opens a web address or a full file path with the user's default handler. Returns at once and
// reports nothing, whatever happens to the target.
void BrowseTo(const QString& target);
