#pragma once

#include <QList>
#include <QString>

class clsDatFile;

// Spelling by sound: rewrite rules that turn the letters of a text into the letters of its sound
// ("ph" as "f", "x" as "ks", "c" before e, i or y as "s") before the alphabet is matched. The rules
// come from a table beside the alphabet, Sounds.dat, a header row and one rule a row: the letters,
// what they are spelled as, and where the rule applies: "anywhere", "start" (of a word), or
// "before:" and the letters that must follow. The first rule that fits at a place wins.
class SoundSpelling {
public:
    // A text rewritten, each of its code units knowing the letters of the text it came from.
    struct Respelled {
        QString text;
        // Per unit of text, and once more for its end: where the letters it came from begin and end
        // in the text as typed.
        QList<qsizetype> from;
        QList<qsizetype> to;
    };

    static QString tablePath(const QString& applicationFolder);
    // Throws RuntimeError, naming the file, when it cannot be read; rows that name no letters, or
    // no place the program knows, are skipped.
    static SoundSpelling load(const QString& path);
    explicit SoundSpelling(const clsDatFile& table);

    Respelled respell(const QString& text) const;

private:
    struct Rule {
        QString letters;   // lower case
        QString spelledAs; // lower case
        bool atStart = false;
        QString before; // the letters one of which must follow, or empty for any
    };
    const Rule* ruleAt(const QString& lowered, qsizetype position) const;

    QList<Rule> m_rules;
};
