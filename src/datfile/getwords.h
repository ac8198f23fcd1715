#pragma once

#include "datfile/fieldrow.h"

#include <QByteArray>
#include <QStringList>
#include <QStringView>

// Splits one line of a data file into its comma-separated fields. Element 0 of the result is always
// empty and fields 1..k sit at indexes 1..k; a line that yields no fields gives just element 0.
// Fields may be quoted ("" inside quotes is one quote); blanks around fields are dropped.
// Throws RuntimeError 6 for a line longer than 32,765 characters and 9 for an 81st field.
QStringList GetWords(QStringView pLine);

// The same split of a line as a data file holds it, in the system's code page, the fields left in
// the line's own bytes as the table stores them; a line that yields no fields gives an empty row.
FieldRow splitFields(QByteArray pLine);
