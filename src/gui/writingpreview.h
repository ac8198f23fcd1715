#pragma once

#include "core/glyphrow.h"
#include "output/writingoptions.h"
#include "output/writtenlayout.h"

#include <QFrame>

// The converted name as it is written, arranged as the Options menu says, drawn as large as its
// place allows up to a limit. A screen reader reads the text it writes as its name and its signs
// as its description, and its role is a picture's. Empty until the first conversion.
class WritingPreview : public QFrame {
    Q_OBJECT

public:
    // The largest quadrat drawn, in pixels: twice a glyph box, so a short name stays a name and
    // does not become a poster.
    static constexpr qreal LargestQuadrat = 100;

    explicit WritingPreview(QWidget* parent = nullptr);

    // Shows row written with options. A sign whose picture cannot be read leaves the preview empty
    // and says why in its tooltip, as the glyph boxes show such a glyph quietly.
    void showWriting(const GlyphRow& row, const WritingOptions& options);

    const WrittenLayout& layout() const { return m_layout; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    WrittenLayout m_layout;
};
