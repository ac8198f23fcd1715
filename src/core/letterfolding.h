#pragma once

#include <QString>

// The plain letters a letter with marks is spelled with where the alphabet has no entry for it:
// "é" gives "e", "Ö" gives "o", "ß" gives "ss". Empty when the letter has no such reading; a
// combining mark alone reads as nothing and gives empty too (isMark tells it apart).
namespace LetterFolding {

QString plainLetters(char32_t letter);
bool isMark(char32_t codePoint);

} // namespace LetterFolding
