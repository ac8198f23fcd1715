#pragma once

#include "output/writingoptions.h"

#include <QObject>

class QAction;
class QActionGroup;
class QMenu;
class QSettings;

// The items of the Options menu that say how a name is written: its arrangement, its direction,
// a cartouche and a determinative, each remembered in the settings.
class WritingMenu : public QObject {
    Q_OBJECT

public:
    // Adds the items to menu, checked as settings remember them.
    WritingMenu(QMenu* menu, const QSettings& settings, QObject* parent);

    // The options as checked. Letters are left out: the window shows them under its glyph boxes.
    WritingOptions options() const;
    void remember(QSettings& settings) const;

Q_SIGNALS:
    // The user chose another item.
    void changed();

private:
    QActionGroup* m_arrangement = nullptr;
    QActionGroup* m_direction = nullptr;
    QAction* m_cartouche = nullptr;
    QActionGroup* m_determinative = nullptr;
};
