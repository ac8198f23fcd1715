#include "gui/rowexplanation.h"

#include "gui/frmmaindesign.h"
#include "gui/notelabel.h"
#include "platform/twips.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontMetrics>
#include <QLabel>

namespace {

template <typename Control> Control* placed(Control* control, const QString& name) {
    control->setObjectName(name);
    for (const frmMainDesign::Control& design : frmMainDesign::AddedControls) {
        if (name == QLatin1String(design.name))
            control->setGeometry(pixelsFromTwips(design.twips));
    }
    control->setProperty("Tag", QString::fromLatin1(frmMainDesign::LayoutTag));
    return control;
}

QLabel* newLabel(QWidget* client, const QString& name, Qt::Alignment alignment) {
    auto* label = placed(new QLabel(client), name);
    label->setAlignment(alignment);
    label->setTextFormat(Qt::PlainText); // letters from the text box are never markup
    return label;
}

// The hieroglyph font at the size that draws a tall sign, the seated man (A1), signHeight pixels
// high, with a little room between the signs so that they never touch. Its signs are outlines of
// hairlines, which on screen fade to grey; drawn bold, their lines show in the full text colour.
QFont hieroglyphFont(int signHeight) {
    QFont font(QStringLiteral("Aegyptus"));
    font.setBold(true);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setPixelSize(signHeight);
    const char32_t seatedMan = 0x13000;
    const int ink = QFontMetrics(font).tightBoundingRect(QString::fromUcs4(&seatedMan, 1)).height();
    if (ink > 0)
        font.setPixelSize(signHeight * signHeight / ink);
    font.setLetterSpacing(QFont::AbsoluteSpacing, signHeight / 6.0);
    return font;
}

// Selectable, so the hieroglyphs can be copied as text from here too; its signs half as tall as a
// glyph box, in the text colour, so that they read as signs and not as a line under the row.
QLabel* newUnicodeLine(QWidget* client) {
    QLabel* line = newLabel(client, QStringLiteral("lblUnicode"), Qt::AlignLeft | Qt::AlignVCenter);
    line->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    line->setFocusPolicy(Qt::ClickFocus); // the window's tab order stays as it is
    line->setForegroundRole(QPalette::WindowText);
    line->setFont(hieroglyphFont(pixelsFromTwips(frmMainDesign::GlyphBoxTwips) / 2));
    line->setToolTip(QCoreApplication::translate(
        "RowExplanation", "The row as Unicode hieroglyphs: select it and copy it as text."));
    return line;
}

} // namespace

RowExplanation::RowExplanation(QWidget* client) {
    for (int k = 1; k <= captionCount; ++k) {
        m_captions.at(k - 1) = newLabel(client, QStringLiteral("lblCaption%1").arg(k),
                                        Qt::AlignHCenter | Qt::AlignTop);
    }
    m_note = placed(new NoteLabel(client), QStringLiteral("lblNote"));
    m_note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_unicode = newUnicodeLine(client);
}

QList<QWidget*> RowExplanation::controls() const {
    QList<QWidget*> controls(m_captions.begin(), m_captions.end());
    controls.append(m_note);
    controls.append(m_unicode);
    return controls;
}

void RowExplanation::show(const GlyphRow& row) {
    for (int k = 1; k <= captionCount; ++k) {
        const bool filled = k <= row.glyphs().size();
        caption(k)->setText(filled ? row.glyphs().at(k - 1).letters : QString());
    }
    m_leftOutNote = row.leftOutNote();
    m_unicode->setText(row.unicodeText());
    m_unicode->setVisible(row.hasUnicodeColumn());
    setOutOfDate(false);
}

void RowExplanation::setOutOfDate(bool outOfDate) {
    for (QLabel* label : m_captions)
        label->setEnabled(!outOfDate);
    m_unicode->setEnabled(!outOfDate);
    m_note->setNote(outOfDate ? QCoreApplication::translate(
                                    "RowExplanation",
                                    "The row no longer shows the text: press Convert to update.")
                              : m_leftOutNote);
}
