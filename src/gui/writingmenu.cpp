#include "gui/writingmenu.h"

#include <cstddef>
#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>
#include <QSettings>

namespace {

using Options = WritingOptions;

// One item of an exclusive choice.
template <typename Value> struct Choice {
    Value value;
    const char* word; // in the settings, as the command line says it
    const char* name; // the menu item's object name
    const char* text;
};

constexpr Choice<Options::Arrangement> arrangements[] = {
    {Options::Arrangement::Groups, "groups", "mnuOptionsInGroups",
     QT_TRANSLATE_NOOP("WritingMenu", "In &Groups")},
    {Options::Arrangement::Row, "row", "mnuOptionsInARow",
     QT_TRANSLATE_NOOP("WritingMenu", "In a &Row")},
};

constexpr Choice<Options::Direction> directions[] = {
    {Options::Direction::LeftToRight, "ltr", "mnuOptionsLeftToRight",
     QT_TRANSLATE_NOOP("WritingMenu", "&Left to Right")},
    {Options::Direction::RightToLeft, "rtl", "mnuOptionsRightToLeft",
     QT_TRANSLATE_NOOP("WritingMenu", "&Right to Left")},
    {Options::Direction::Columns, "columns", "mnuOptionsInColumns",
     QT_TRANSLATE_NOOP("WritingMenu", "In &Columns")},
};

constexpr Choice<Options::Determinative> determinatives[] = {
    {Options::Determinative::None, "none", "mnuOptionsNoDeterminative",
     QT_TRANSLATE_NOOP("WritingMenu", "&None")},
    {Options::Determinative::Man, "man", "mnuOptionsSeatedMan",
     QT_TRANSLATE_NOOP("WritingMenu", "Seated &Man")},
    {Options::Determinative::Woman, "woman", "mnuOptionsSeatedWoman",
     QT_TRANSLATE_NOOP("WritingMenu", "Seated &Woman")},
};

const QString arrangementKey = QStringLiteral("writing/arrangement");
const QString directionKey = QStringLiteral("writing/direction");
const QString cartoucheKey = QStringLiteral("writing/cartouche");
const QString determinativeKey = QStringLiteral("writing/determinative");

QString translated(const char* text) {
    return QCoreApplication::translate("WritingMenu", text);
}

// A submenu of exclusive items, the remembered one checked, else the first.
template <typename Value, std::size_t N>
QActionGroup* addChoices(QMenu* menu, const char* title, const char* name,
                         const Choice<Value> (&choices)[N], const QString& remembered,
                         WritingMenu* owner) {
    QMenu* submenu = menu->addMenu(translated(title));
    submenu->setObjectName(QLatin1String(name));
    auto* group = new QActionGroup(owner);
    for (std::size_t k = 0; k < N; ++k) {
        QAction* item = group->addAction(submenu->addAction(translated(choices[k].text)));
        item->setObjectName(QLatin1String(choices[k].name));
        item->setCheckable(true);
        item->setData(QVariant::fromValue(k));
        if (k == 0 || remembered == QLatin1String(choices[k].word))
            item->setChecked(true);
    }
    QObject::connect(group, &QActionGroup::triggered, owner, &WritingMenu::changed);
    return group;
}

template <typename Value, std::size_t N>
const Choice<Value>& chosen(const QActionGroup* group, const Choice<Value> (&choices)[N]) {
    return choices[group->checkedAction()->data().value<std::size_t>()];
}

} // namespace

WritingMenu::WritingMenu(QMenu* menu, const QSettings& settings, QObject* parent)
    : QObject(parent) {
    menu->addSeparator();
    m_arrangement =
        addChoices(menu, QT_TRANSLATE_NOOP("WritingMenu", "&Arrangement"), "mnuOptionsArrangement",
                   arrangements, settings.value(arrangementKey).toString(), this);
    m_direction =
        addChoices(menu, QT_TRANSLATE_NOOP("WritingMenu", "&Direction"), "mnuOptionsDirection",
                   directions, settings.value(directionKey).toString(), this);
    m_cartouche = menu->addAction(translated(QT_TRANSLATE_NOOP("WritingMenu", "&Cartouche")));
    m_cartouche->setObjectName(QStringLiteral("mnuOptionsCartouche"));
    m_cartouche->setCheckable(true);
    m_cartouche->setChecked(settings.value(cartoucheKey, false).toBool());
    connect(m_cartouche, &QAction::triggered, this, &WritingMenu::changed);
    m_determinative = addChoices(menu, QT_TRANSLATE_NOOP("WritingMenu", "Deter&minative"),
                                 "mnuOptionsDeterminative", determinatives,
                                 settings.value(determinativeKey).toString(), this);
}

WritingOptions WritingMenu::options() const {
    WritingOptions options;
    options.arrangement = chosen(m_arrangement, arrangements).value;
    options.direction = chosen(m_direction, directions).value;
    options.cartouche = m_cartouche->isChecked();
    options.determinative = chosen(m_determinative, determinatives).value;
    return options;
}

void WritingMenu::remember(QSettings& settings) const {
    settings.setValue(arrangementKey, QLatin1String(chosen(m_arrangement, arrangements).word));
    settings.setValue(directionKey, QLatin1String(chosen(m_direction, directions).word));
    settings.setValue(cartoucheKey, m_cartouche->isChecked());
    settings.setValue(determinativeKey,
                      QLatin1String(chosen(m_determinative, determinatives).word));
}
