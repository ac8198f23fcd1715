#include "gui/rowexplanation.h"

#include "gui/frmmaindesign.h"
#include "platform/twips.h"

#include <QCoreApplication>
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

// Selectable, so the hieroglyphs can be copied as text from here too.
QLabel* newUnicodeLine(QWidget* client) {
    QLabel* line = newLabel(client, QStringLiteral("lblUnicode"), Qt::AlignLeft | Qt::AlignVCenter);
    line->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    line->setFocusPolicy(Qt::ClickFocus); // the window's tab order stays as it is
    QFont font(QStringLiteral("Aegyptus"));
    font.setPixelSize(line->height() * 8 / 10);
    line->setFont(font);
    return line;
}

} // namespace

RowExplanation::RowExplanation(QWidget* client) {
    for (int k = 1; k <= captionCount; ++k) {
        m_captions.at(k - 1) = newLabel(client, QStringLiteral("lblCaption%1").arg(k),
                                        Qt::AlignHCenter | Qt::AlignTop);
    }
    m_note = newLabel(client, QStringLiteral("lblNote"), Qt::AlignLeft | Qt::AlignTop);
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
    m_note->setText(outOfDate ? QCoreApplication::translate(
                                    "RowExplanation",
                                    "The row no longer shows the text: press Convert to update.")
                              : m_leftOutNote);
}
