#pragma once

#include <QLabel>

// A label that shows the access key of its buddy underlined while its text stays as it is, so that
// a screen reader, a test or a translation reads "English" and not "E&nglish". Deliberately
// without Q_OBJECT: it stays a QLabel to everything that asks for the control's type.
class AccessKeyLabel : public QLabel {
public:
    // keyIndex is the position in text of the letter to underline.
    AccessKeyLabel(const QString& text, qsizetype keyIndex, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    qsizetype m_keyIndex;
};
