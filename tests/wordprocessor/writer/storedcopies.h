#pragma once

#include "wordprocessor/writer/textdocument.h"

#include <QString>

// Stores the document as .docx and as .odt without making either file its own: the document stays
// unsaved. describe_document.py reads the two files.
void storeCopies(const TextDocuments::Document& document, const QString& docx, const QString& odt);
