#pragma once

#include <QLabel>

// A one-line label for a note of any length: what does not fit its width ends at the last whole
// word with an ellipsis, and the whole note is its tooltip and its accessible description.
// Without Q_OBJECT, so that it stays a QLabel to everything that asks for the control's type.
class NoteLabel : public QLabel {
public:
    explicit NoteLabel(QWidget* parent = nullptr);

    void setNote(const QString& note);
    const QString& note() const { return m_note; }

    // The longest run of whole words of text, followed by an ellipsis, that fits width; text
    // itself when it fits. A first word wider than width alone is cut within the word.
    static QString fitted(const QString& text, const QFontMetrics& metrics, int width);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fit();

    QString m_note;
};
