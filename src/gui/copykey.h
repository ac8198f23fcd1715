#pragma once

#include <QObject>

class QLineEdit;

// Ctrl+C in a text box with nothing selected would copy nothing; it is passed on to the window's
// own Copy command instead. With a selection the text box copies it, as everywhere.
class CopyWithoutSelection : public QObject {
public:
    explicit CopyWithoutSelection(QLineEdit* edit);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* m_edit;
};
