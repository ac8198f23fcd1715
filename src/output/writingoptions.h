#pragma once

#include <QtGlobal>

// How a converted text is written: the signs grouped or in a row, in which direction, framed or
// not, with or without their letters and a determinative.
struct WritingOptions {
    enum class Arrangement {
        Groups, // in quadrats, as scribes wrote
        Row,    // one sign after the other
    };
    enum class Direction {
        LeftToRight,
        RightToLeft, // every sign mirrored, so it faces the start of the line
        Columns,     // top to bottom
    };
    enum class Determinative { None, Man, Woman };

    Arrangement arrangement = Arrangement::Groups;
    Direction direction = Direction::LeftToRight;
    bool cartouche = false;
    bool letters = false; // under each sign in a row, under each quadrat in groups
    Determinative determinative = Determinative::None;
    // The longest line (or column) in quadrats before the next begins; 0 for one line.
    qreal lineLength = 0;

    bool operator==(const WritingOptions&) const = default;
};
