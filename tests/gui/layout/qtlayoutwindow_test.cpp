#include "gui/layout/qtlayoutwindow.h"
#include "layout/clslayout.h"

#include <gmock/gmock.h>
#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

namespace {

using testing::ElementsAre;

// Lays the controls out on every resize of the window, as a main window's resize handler does.
class ResizeRelay : public QObject {
public:
    explicit ResizeRelay(clsLayout& layout)
        : m_layout(layout) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize)
            m_layout.RedrawLayout();
        return QObject::eventFilter(watched, event);
    }

private:
    clsLayout& m_layout;
};

class QtLayoutTest : public testing::Test {
protected:
    void SetUp() override {
        window.resize(400, 300);
        label->setGeometry(16, 152, 50, 50);
        label->setProperty("Tag", QStringLiteral("X=1/2 Y=1/2"));
        button->setGeometry(10, 10, 80, 30);
        button->setProperty("Tag", QStringLiteral("W=1 H=1"));
        edit->setGeometry(100, 10, 100, 20);
        menuItem->setProperty("Tag", QStringLiteral("X=1"));
        // Registered while hidden, as a window does while it loads.
        layout.SetLayout(QtLayoutWindow::create(&window, {label, menuItem, button, edit}));
        window.installEventFilter(&relay);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    void resizeWindow(QSize size) {
        window.resize(size);
        QCoreApplication::processEvents();
    }

    QWidget window;
    QLabel* label = new QLabel(&window);
    QPushButton* button = new QPushButton(&window);
    QLineEdit* edit = new QLineEdit(&window);
    QAction* menuItem = new QAction(&window);
    clsLayout layout;
    ResizeRelay relay{layout};
};

TEST_F(QtLayoutTest, ShowingTheFramedWindowIsNoGrowth) {
    EXPECT_EQ(layout.MinWidth(), 400 * 15.0f);
    EXPECT_EQ(layout.MinHeight(), 300 * 15.0f);
    EXPECT_EQ(label->geometry(), QRect(16, 152, 50, 50));
    EXPECT_EQ(button->geometry(), QRect(10, 10, 80, 30));
}

TEST_F(QtLayoutTest, GrowingMovesAndStretchesWidgetsInPixels) {
    resizeWindow(QSize(500, 360));
    EXPECT_EQ(label->geometry(), QRect(66, 182, 50, 50));
    EXPECT_EQ(button->geometry(), QRect(10, 10, 180, 90));
    EXPECT_EQ(edit->geometry(), QRect(100, 10, 100, 20));
}

TEST(QtLayoutWindow, DiscoversContentWidgetsThenMenuItems) {
    QMainWindow main;
    auto* central = new QWidget;
    main.setCentralWidget(central);
    auto* picture = new QLabel(central);
    picture->setGeometry(2, 3, 4, 5);
    picture->setProperty("Tag", QStringLiteral("X=1/2 Y=1/2"));
    new QPushButton(central);
    QMenu* file = main.menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("E&xit"));
    auto* toolbar = new QLabel(central);
    toolbar->setProperty("TypeName", QStringLiteral("Toolbar"));

    const auto adapter = QtLayoutWindow::create(&main);
    const auto controls = adapter->controls();
    std::vector<QString> types;
    for (const auto& control : controls)
        types.push_back(control->typeName());
    EXPECT_THAT(types, ElementsAre(u"QLabel", u"QPushButton", u"Toolbar", u"QAction", u"QAction"));
    EXPECT_EQ(controls[0]->tag(), QStringLiteral("X=1/2 Y=1/2"));
    EXPECT_EQ(controls[0]->geometry(GeometryProperty::Height), 75.0);
    EXPECT_EQ(controls[0]->parent(), adapter);
    try {
        controls[4]->geometry(GeometryProperty::Left);
        ADD_FAILURE() << "a menu item has no geometry";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number(), static_cast<int>(ErrorNumber::UnsupportedProperty));
    }
}

TEST(QtLayoutWindow, MapsWindowStates) {
    const std::pair<Qt::WindowStates, WindowState> cases[] = {
        {Qt::WindowNoState, WindowState::Normal},
        {Qt::WindowMinimized, WindowState::Minimised},
        {Qt::WindowMaximized, WindowState::Maximised},
        {Qt::WindowFullScreen, WindowState::Maximised},
        {Qt::WindowMinimized | Qt::WindowMaximized, WindowState::Minimised},
    };
    QWidget window;
    const auto adapter = QtLayoutWindow::create(&window);
    for (const auto& [qtState, state] : cases) {
        window.setWindowState(qtState);
        EXPECT_EQ(adapter->windowState(), state);
    }
}

TEST(QtLayoutWindow, DestroyedWindowIsAnError) {
    auto window = std::make_unique<QWidget>();
    const auto adapter = QtLayoutWindow::create(window.get());
    window.reset();
    EXPECT_THROW(adapter->width(), RuntimeError);
}

} // namespace
