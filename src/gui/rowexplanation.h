#pragma once

#include "core/glyphrow.h"

#include <array>
#include <QList>

class NoteLabel;
class QLabel;
class QWidget;

// The lines under the glyph row that explain it: under each box the letters that made its glyph,
// a note that says what was left out, or that the row no longer shows the text, and the row as
// Unicode text, selectable, in the hieroglyph font (hidden when the alphabet has no code points).
class RowExplanation {
public:
    static constexpr int captionCount = GlyphMatcher::MaxGlyphs;

    // Creates the caption and note labels on the window's client area at their design places.
    explicit RowExplanation(QWidget* client);

    // In the window's control order, for the layout manager.
    QList<QWidget*> controls() const;

    void show(const GlyphRow& row);
    // An out-of-date row is dimmed, and the note asks for Convert.
    void setOutOfDate(bool outOfDate);

    QLabel* caption(int k) const { return m_captions.at(k - 1); }
    NoteLabel* note() const { return m_note; }
    QLabel* unicode() const { return m_unicode; }

private:
    std::array<QLabel*, captionCount> m_captions{};
    NoteLabel* m_note = nullptr;
    QLabel* m_unicode = nullptr;
    QString m_leftOutNote;
};
