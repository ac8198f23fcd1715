#pragma once

#include <QObject>

class QLineEdit;

// A line edit draws its whole line again at every blink of its cursor, which for a pasted text of
// megabytes keeps a core busy while nothing happens. While the box holds a text that long and has
// the focus, its cursor stays on without blinking (the blink is the application's setting, so it
// is set for that time only); it blinks again with a shorter text or when the focus leaves.
class SteadyCursorForLongText : public QObject {
public:
    // Longer than any name, short enough that a blink costs next to nothing.
    static constexpr qsizetype longText = 10000;

    explicit SteadyCursorForLongText(QLineEdit* box);
    ~SteadyCursorForLongText() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void update();
    void setSteady(bool steady);

    QLineEdit* m_box;
    int m_flashTime = 0; // the application's, while the cursor is held steady
    bool m_steady = false;
};
