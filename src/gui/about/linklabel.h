#pragma once

#include <QLabel>

// A label that works as a hyperlink: drawn underlined in the colour scheme's link colour under a
// pointing hand, activated by a left click, or by Enter or Space once Tab has given it the focus,
// which it shows with the style's focus rectangle.
class LinkLabel : public QLabel {
    Q_OBJECT

public:
    explicit LinkLabel(QWidget* parent);

Q_SIGNALS:
    void activated();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};
