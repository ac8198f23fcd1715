#include "fakelayoutwindow.h"
#include "layout/clslayout.h"

#include <gmock/gmock.h>
#include <optional>

namespace {

using testing::ElementsAre;
using testing::IsEmpty;

constexpr float startWidth = 9000.0f;
constexpr float startHeight = 6000.0f;

class LayoutTest : public testing::Test {
protected:
    void resizeTo(float width, float height) {
        window->w = width;
        window->h = height;
    }
    void growAndRedraw(float dx, float dy) {
        resizeTo(startWidth + dx, startHeight + dy);
        layout.RedrawLayout();
    }

    std::shared_ptr<FakeWindow> window = std::make_shared<FakeWindow>(startWidth, startHeight);
    clsLayout layout;
};

// The factors a tag gives, seen from outside: a control at 0,0,0,0 in a window grown by one
// twip each way is written exactly its four factors.
struct TagCase {
    QString tag;
    std::optional<Geometry> factors; // nullopt: the control is left out
};

class TagTest : public LayoutTest, public testing::WithParamInterface<TagCase> {};

TEST_P(TagTest, GivesFactorsOrLeavesControlOut) {
    const auto control = window->add(GetParam().tag);
    layout.SetLayout(window);
    growAndRedraw(1, 1);
    if (GetParam().factors)
        EXPECT_EQ(control->current, *GetParam().factors);
    else
        EXPECT_THAT(control->writes, IsEmpty());
}

QString tagOfLength(qsizetype length) {
    return QStringLiteral("X=1") + QString(length - 3, u'a');
}

const TagCase tagCases[] = {
    {QString(), Geometry{0, 0, 0, 0}},
    {QStringLiteral("X=1/2 Y=1/2"), Geometry{0.5, 0.5, 0, 0}},
    {QStringLiteral("Y=1/2 H=-1 X=3/4 W=2"), Geometry{0.75, 0.5, 2, -1}},
    {QStringLiteral("X=0.5"), Geometry{0, 0, 0, 0}},
    {QStringLiteral("X=1.5"), Geometry{2, 0, 0, 0}},
    {QStringLiteral("X=2.5"), Geometry{2, 0, 0, 0}},
    {QStringLiteral("X=1.5/2"), Geometry{1, 0, 0, 0}},
    {QStringLiteral("X=-1/2"), Geometry{-0.5, 0, 0, 0}},
    {QStringLiteral("H=1/-2"), Geometry{0, 0, 0, -0.5}},
    {QStringLiteral("x=1 y=1"), Geometry{0, 0, 0, 0}},
    {QStringLiteral("X= 1"), Geometry{0, 0, 0, 0}},
    {QStringLiteral("X=1/2/3"), Geometry{0.5, 0, 0, 0}},
    {QStringLiteral("X=1 X=2"), Geometry{1, 0, 0, 0}},
    {QStringLiteral("X=1/2;Y=1/2"), Geometry{0.5, 0.5, 0, 0}},
    {QStringLiteral("MAX=2"), Geometry{2, 0, 0, 0}},
    {QStringLiteral("X=1 2"), Geometry{1, 0, 0, 0}},
    {QStringLiteral("X=\t1/\t4"), Geometry{0.25, 0, 0, 0}},
    {QStringLiteral("X=&H10"), Geometry{16, 0, 0, 0}},
    {QStringLiteral("X=1E1"), Geometry{10, 0, 0, 0}},
    {QStringLiteral("X=32767 Y=-32768"), Geometry{32767, -32768, 0, 0}},
    {QStringLiteral("X=1/0"), std::nullopt},
    {QStringLiteral("X=1/"), std::nullopt},
    {QStringLiteral("X=1/ 2"), std::nullopt},
    {QStringLiteral("X=0/0"), std::nullopt},
    {QStringLiteral("Y=32768"), std::nullopt},
    {QStringLiteral("W=32767.5"), std::nullopt},
    {QStringLiteral("H=1/-32769"), std::nullopt},
    {QStringLiteral("X=1E400"), std::nullopt},
    // The value's end is a 16-bit position: 32767 still fits, 32768 does not.
    {tagOfLength(32766), Geometry{1, 0, 0, 0}},
    {tagOfLength(32767), std::nullopt},
};

INSTANTIATE_TEST_SUITE_P(Tags, TagTest, testing::ValuesIn(tagCases));

TEST_F(LayoutTest, WorkedExampleMovesByHalfTheGrowthUnrounded) {
    const auto picture1 = window->add(QStringLiteral("X=1/2 Y=1/2"), {240, 2280, 750, 750});
    layout.SetLayout(window);

    growAndRedraw(1000, 600);
    EXPECT_EQ(picture1->current, (Geometry{740, 2580, 750, 750}));
    growAndRedraw(1005, 600);
    EXPECT_EQ(picture1->current, (Geometry{742.5, 2580, 750, 750}));
    growAndRedraw(0, 0);
    EXPECT_EQ(picture1->current, (Geometry{240, 2280, 750, 750}));
}

TEST_F(LayoutTest, FourSeparateWritesInOrder) {
    const auto control = window->add(QStringLiteral("X=1 Y=1 W=1 H=1"), {10, 20, 30, 40});
    layout.SetLayout(window);
    growAndRedraw(100, 200);
    EXPECT_THAT(control->writes, ElementsAre(GeometryWrite{GeometryProperty::Left, 110},
                                             GeometryWrite{GeometryProperty::Top, 220},
                                             GeometryWrite{GeometryProperty::Width, 130},
                                             GeometryWrite{GeometryProperty::Height, 240}));
}

// The window changes while a pass runs: a growth once measured is kept for the pass, while a
// growth of zero is measured again at the next record.
TEST_F(LayoutTest, GrowthIsMeasuredUntilItIsNotZero) {
    const auto first = window->add(QStringLiteral("X=1"));
    const auto second = window->add(QStringLiteral("X=1"));
    layout.SetLayout(window);
    first->onWrite = [this] { window->w = startWidth + 500; };
    growAndRedraw(100, 0);
    EXPECT_EQ(second->current[0], 100);

    growAndRedraw(0, 0);
    EXPECT_EQ(first->current[0], 0);
    EXPECT_EQ(second->current[0], 500);
}

struct ClampCase {
    WindowState state;
    float width;
    float height;
    float expectedWidth;
    float expectedHeight;
};

class ClampTest : public LayoutTest, public testing::WithParamInterface<ClampCase> {};

TEST_P(ClampTest, OnlyTheNormalStateIsClamped) {
    const auto control = window->add(QStringLiteral("X=1 Y=1"), {100, 200, 300, 400});
    layout.SetLayout(window);
    window->state = GetParam().state;
    resizeTo(GetParam().width, GetParam().height);
    layout.RedrawLayout();
    EXPECT_EQ(window->w, GetParam().expectedWidth);
    EXPECT_EQ(window->h, GetParam().expectedHeight);
    // Growth below the registered size counts as none.
    EXPECT_EQ(control->current,
              (Geometry{100 + std::max(window->w - startWidth, 0.0f),
                        200 + std::max(window->h - startHeight, 0.0f), 300, 400}));
}

const ClampCase clampCases[] = {
    {WindowState::Normal, 8700, 5500, startWidth, startHeight},
    {WindowState::Normal, 8700, 6500, startWidth, 6500},
    {WindowState::Normal, 9500, 5500, 9500, startHeight},
    {WindowState::Normal, 8999.6f, 6000, startWidth, startHeight},
    {WindowState::Maximised, 8700, 5500, 8700, 5500},
    {WindowState::Maximised, 12000, 9000, 12000, 9000},
    {WindowState::Minimised, 1500, 400, 1500, 400},
};

INSTANTIATE_TEST_SUITE_P(States, ClampTest, testing::ValuesIn(clampCases));

TEST_F(LayoutTest, NestedRedrawDuringTheClampDoesNothing) {
    const auto control = window->add(QStringLiteral("X=1"), {100, 0, 0, 0});
    layout.SetLayout(window);
    int nestedCalls = 0;
    window->onResize = [&] {
        ++nestedCalls;
        layout.RedrawLayout();
        EXPECT_THAT(control->writes, IsEmpty());
    };
    resizeTo(8000, 5000);
    layout.RedrawLayout();
    EXPECT_EQ(nestedCalls, 2);
    EXPECT_EQ(control->writes.size(), 4u);
    EXPECT_EQ(control->current[0], 100);
}

TEST_F(LayoutTest, OnlyTheExactTypeToolbarIsSkipped) {
    const auto toolbar = window->add(QStringLiteral("X=1"), {}, QStringLiteral("Toolbar"));
    const auto lower = window->add(QStringLiteral("X=1"), {}, QStringLiteral("toolbar"));
    const auto mixed = window->add(QStringLiteral("X=1"), {}, QStringLiteral("ToolBar"));
    layout.SetLayout(window);
    growAndRedraw(100, 0);
    EXPECT_THAT(toolbar->writes, IsEmpty());
    EXPECT_EQ(lower->current[0], 100);
    EXPECT_EQ(mixed->current[0], 100);
}

TEST_F(LayoutTest, RefusedWriteStillGetsTheOtherWrites) {
    for (const GeometryProperty refused : {GeometryProperty::Left, GeometryProperty::Top,
                                           GeometryProperty::Width, GeometryProperty::Height}) {
        window->members.clear();
        const auto stubborn = window->add(QStringLiteral("W=1 H=1"), {1, 2, 3, 4});
        const auto next = window->add(QStringLiteral("W=1"), {0, 0, 5, 5});
        stubborn->refused = refused;
        resizeTo(startWidth, startHeight);
        layout.SetLayout(window);
        growAndRedraw(10, 20);
        Geometry expected{1, 2, 13, 24};
        expected.at(static_cast<std::size_t>(refused)) =
            Geometry{1, 2, 3, 4}.at(static_cast<std::size_t>(refused));
        EXPECT_EQ(stubborn->writes.size(), 4u);
        EXPECT_EQ(stubborn->current, expected);
        EXPECT_EQ(next->current, (Geometry{0, 0, 15, 5}));
    }
}

TEST_F(LayoutTest, ControlWithoutGeometryIsLeftOut) {
    const auto menuItem = window->add(QStringLiteral("X=1"), {}, QStringLiteral("Menu"));
    menuItem->hasGeometry = false;
    const auto picture = window->add(QStringLiteral("X=1"));
    layout.SetLayout(window);
    growAndRedraw(100, 0);
    EXPECT_THAT(menuItem->writes, IsEmpty());
    EXPECT_EQ(picture->current[0], 100);
}

TEST_F(LayoutTest, FailingTagReadReachesTheCaller) {
    window->add(QString())->tagFails = true;
    EXPECT_THROW(layout.SetLayout(window), RuntimeError);
}

TEST_F(LayoutTest, SecondSetLayoutReplacesRecordsAndReference) {
    const auto old = window->add(QStringLiteral("X=1"));
    layout.SetLayout(window);
    window->members.clear();
    const auto replacement = window->add(QStringLiteral("X=1"), {50, 0, 0, 0});
    resizeTo(10000, startHeight);
    layout.SetLayout(window);
    EXPECT_EQ(layout.MinWidth(), 10000.0f);

    resizeTo(10100, startHeight);
    layout.RedrawLayout();
    EXPECT_THAT(old->writes, IsEmpty());
    EXPECT_EQ(replacement->current[0], 150);
}

TEST_F(LayoutTest, FailedPassDoesNotSwitchLayoutOff) {
    const auto control = window->add(QStringLiteral("X=1"));
    layout.SetLayout(window);
    window->state = WindowState::Maximised;
    resizeTo(1e10f, startHeight); // a growth beyond 32 bits overflows
    EXPECT_THROW(layout.RedrawLayout(), RuntimeError);

    growAndRedraw(100, 0);
    EXPECT_EQ(control->current[0], 100);
}

TEST_F(LayoutTest, BeforeRegistrationAddIsAbsorbedAndRedrawFails) {
    EXPECT_NO_THROW(layout.AddControl(window->add(QStringLiteral("X=1")), QStringLiteral("X=1")));
    EXPECT_THROW(layout.RedrawLayout(), RuntimeError);
}

TEST_F(LayoutTest, MinimumsAreTheReferenceForGrowth) {
    const auto control = window->add(QStringLiteral("X=1"));
    layout.SetLayout(window);
    layout.setMinWidth(8000.0f);
    layout.RedrawLayout();
    EXPECT_EQ(control->current[0], 1000);
}

TEST(LayoutMinimum, RoundsTiesToEvenAndKeepsOldValueOnOverflow) {
    clsLayout layout;
    const std::pair<float, float> cases[] = {{2.5f, 2}, {3.5f, 4}};
    for (const auto& [written, stored] : cases) {
        layout.setMinWidth(written);
        layout.setMinHeight(written);
        EXPECT_EQ(layout.MinWidth(), stored) << written;
        EXPECT_EQ(layout.MinHeight(), stored) << written;
    }
    EXPECT_THROW(layout.setMinWidth(3e9f), RuntimeError);
    EXPECT_THROW(layout.setMinHeight(-3e9f), RuntimeError);
    EXPECT_EQ(layout.MinWidth(), 4.0f);
    EXPECT_EQ(layout.MinHeight(), 4.0f);
}

TEST(LayoutRegistration, TakesWindowSizeRoundedTiesToEven) {
    clsLayout layout;
    layout.SetLayout(std::make_shared<FakeWindow>(6000.5f, 4001.5f));
    EXPECT_EQ(layout.MinWidth(), 6000.0f);
    EXPECT_EQ(layout.MinHeight(), 4002.0f);
}

} // namespace
