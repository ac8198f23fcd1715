#pragma once

#include <QStringList>
#include <QStringView>

// The line splitter written the obvious way: one character at a time through the five states,
// each field's text collected as it goes. The reference that GetWords must agree with, results
// and errors alike.
QStringList plainGetWords(QStringView line);
