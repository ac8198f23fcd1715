#include "rowexplanation.h"

#include "frmmaindesign.h"
#include "twips.h"

#include <QCoreApplication>
#include <QLabel>

namespace {

QLabel* newLabel(QWidget* client, const QString& name, Qt::Alignment alignment) {
    auto* label = new QLabel(client);
    label->setObjectName(name);
    label->setAlignment(alignment);
    label->setTextFormat(Qt::PlainText); // letters from the text box are never markup
    for (const frmMainDesign::Control& design : frmMainDesign::AddedControls) {
        if (name == QLatin1String(design.name))
            label->setGeometry(pixelsFromTwips(design.twips));
    }
    label->setProperty("Tag", QString::fromLatin1(frmMainDesign::LayoutTag));
    return label;
}

} // namespace

RowExplanation::RowExplanation(QWidget* client) {
    for (int k = 1; k <= captionCount; ++k) {
        m_captions.at(k - 1) = newLabel(client, QStringLiteral("lblCaption%1").arg(k),
                                        Qt::AlignHCenter | Qt::AlignTop);
    }
    m_note = newLabel(client, QStringLiteral("lblNote"), Qt::AlignLeft | Qt::AlignTop);
}

QList<QWidget*> RowExplanation::controls() const {
    QList<QWidget*> controls(m_captions.begin(), m_captions.end());
    controls.append(m_note);
    return controls;
}

void RowExplanation::show(const GlyphRow& row) {
    for (int k = 1; k <= captionCount; ++k) {
        const bool filled = k <= row.glyphs().size();
        caption(k)->setText(filled ? row.glyphs().at(k - 1).letters : QString());
    }
    m_leftOutNote = row.leftOutNote();
    setOutOfDate(false);
}

void RowExplanation::setOutOfDate(bool outOfDate) {
    for (QLabel* label : m_captions)
        label->setEnabled(!outOfDate);
    m_note->setText(outOfDate ? QCoreApplication::translate(
                                    "RowExplanation",
                                    "The row no longer shows the text: press Convert to update.")
                              : m_leftOutNote);
}
