#include "cli/commandline.h"
#include "cli/commandlinerun.h"
#include "cli/terminaltext.h"

#include <gtest/gtest.h>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

// A glyph size as typed after --size, and the millimetres taken, or none for bad usage.
struct SizeCase {
    const char* given;
    std::optional<double> millimetres;
};

const SizeCase sizeCases[] = {
    {"12.7", 12.7},
    {"3", 3.0},
    {"2", std::nullopt},
    {"100", 100.0},
    {"1e1", 10.0},
    {"1.99", std::nullopt},
    {"100.01", std::nullopt},
    {"-12.7", std::nullopt},
    {"0", std::nullopt},
    {"12,7", std::nullopt},
    {"nan", std::nullopt},
    {"inf", std::nullopt},
    {"", std::nullopt},
    {"12.7mm", std::nullopt},
};

TEST(CommandLineTest, TakesAGlyphSizeOnlyAsASaneNumberOfMillimetres) {
    for (const SizeCase& c : sizeCases) {
        SCOPED_TRACE(c.given);
        const CommandLine::Parsed parsed = CommandLine::parse(
            {QStringLiteral("scarabo"), QStringLiteral("Cleopatra"), QStringLiteral("-o"),
             QStringLiteral("c.pdf"), QStringLiteral("--size"), QString::fromUtf8(c.given)});
        EXPECT_EQ(parsed.request.options.glyphMillimetres, c.millimetres);
        EXPECT_EQ(parsed.usageError.contains(QStringLiteral("--size")), !c.millimetres)
            << parsed.usageError.toStdString();
    }
}

// The options after "scarabo Cleopatra", and what they ask for, or the option that the message of
// a bad usage names.
struct WritingCase {
    QStringList arguments;
    WritingOptions writing;
    std::optional<int> dpi;
    bool unicodeControls;
    QString misuse;
    std::optional<QPageSize::PageSizeId> paper{};
};

using Direction = WritingOptions::Direction;
using Determinative = WritingOptions::Determinative;

const WritingCase writingCases[] = {
    {{u"-o"_s, u"c.png"_s}, {}, std::nullopt, false, {}},
    {{u"-o"_s, u"c.png"_s, u"--arrange"_s, u"row"_s, u"--dpi"_s, u"300"_s},
     {.arrangement = WritingOptions::Arrangement::Row},
     300,
     false,
     {}},
    {{u"-o"_s, u"c.svg"_s, u"--direction"_s, u"rtl"_s, u"--cartouche"_s},
     {.direction = Direction::RightToLeft, .cartouche = true},
     std::nullopt,
     false,
     {}},
    {{u"-o"_s, u"c.pdf"_s, u"--vertical"_s, u"--determinative"_s, u"woman"_s},
     {.direction = Direction::Columns, .determinative = Determinative::Woman},
     std::nullopt,
     false,
     {}},
    {{u"--text"_s, u"--unicode-controls"_s, u"--determinative"_s, u"man"_s, u"--cartouche"_s},
     {.cartouche = true, .determinative = Determinative::Man},
     std::nullopt,
     true,
     {}},
    {{u"-o"_s, u"c.png"_s, u"--arrange"_s, u"rows"_s}, {}, std::nullopt, false, u"--arrange"_s},
    {{u"-o"_s, u"c.png"_s, u"--direction"_s, u"up"_s}, {}, std::nullopt, false, u"--direction"_s},
    {{u"-o"_s, u"c.png"_s, u"--direction"_s, u"rtl"_s, u"--vertical"_s},
     {},
     std::nullopt,
     false,
     u"--vertical"_s},
    {{u"-o"_s, u"c.png"_s, u"--determinative"_s, u"cat"_s},
     {},
     std::nullopt,
     false,
     u"--determinative"_s},
    {{u"-o"_s, u"c.png"_s, u"--dpi"_s, u"71"_s}, {}, std::nullopt, false, u"--dpi"_s},
    {{u"-o"_s, u"c.png"_s, u"--dpi"_s, u"300.5"_s}, {}, std::nullopt, false, u"--dpi"_s},
    {{u"-o"_s, u"c.png"_s, u"--unicode-controls"_s},
     {},
     std::nullopt,
     false,
     u"--unicode-controls"_s},
    {{u"--text"_s, u"--dpi"_s, u"300"_s}, {}, std::nullopt, false, u"--text"_s},
    {{u"--arrange"_s, u"row"_s}, {}, std::nullopt, false, u"-o FILE"_s},
    {{u"-o"_s, u"c.pdf"_s, u"--paper"_s, u"letter"_s},
     {},
     std::nullopt,
     false,
     {},
     QPageSize::Letter},
    {{u"-o"_s, u"c.odt"_s, u"--paper"_s, u"a4"_s}, {}, std::nullopt, false, {}, QPageSize::A4},
    {{u"-o"_s, u"c.pdf"_s, u"--paper"_s, u"b5"_s}, {}, std::nullopt, false, u"--paper"_s},
};

TEST(CommandLineTest, ReadsHowTheSignsAreWritten) {
    for (const WritingCase& c : writingCases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const CommandLine::Parsed parsed =
            CommandLine::parse(QStringList{u"scarabo"_s, u"Cleopatra"_s} + c.arguments);
        EXPECT_EQ(parsed.usageError.isEmpty(), c.misuse.isEmpty());
        EXPECT_TRUE(parsed.usageError.contains(c.misuse)) << parsed.usageError.toStdString();
        if (c.misuse.isEmpty()) {
            EXPECT_EQ(parsed.request.options.writing, c.writing);
            EXPECT_EQ(parsed.request.options.dpi, c.dpi);
            EXPECT_EQ(parsed.request.unicodeControls, c.unicodeControls);
            EXPECT_EQ(parsed.request.options.paper, c.paper);
        }
    }
}

} // namespace

namespace {

// Control characters become escapes a terminal shows; every other character stays as it is.
TEST(TerminalTextTest, ShowsControlCharactersAsEscapesAndKeepsTheRest) {
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("\x1b]0;title\x07\x1b[2J"), QStringLiteral("\\x1b]0;title\\x07\\x1b[2J")},
        {QString(QChar(0)) + QStringLiteral("Ra"), QStringLiteral("\\0Ra")},
        {QStringLiteral("\t\n\r\x7f"), QStringLiteral("\\t\\n\\r\\x7f")},
        {QStringLiteral("\u0085\u009b"), QStringLiteral("\\u0085\\u009b")},
        {QStringLiteral("Cl\u00e9o \u00a0\U00013219 C:\\x"),
         QStringLiteral("Cl\u00e9o \u00a0\U00013219 C:\\x")},
    };
    for (const auto& [given, shown] : cases)
        EXPECT_EQ(TerminalText::visible(given), shown) << given.toStdString();
}

// A text alone opens the window with it; a text with anything of a file still needs the file.
TEST(CommandLineTest, ATextAloneAsksForTheWindow) {
    using Action = CommandLineRequest::Action;
    const struct {
        QStringList arguments;
        std::optional<Action> action; // none for bad usage
    } cases[] = {
        {{QStringLiteral("Cleopatra")}, Action::OpenWindow},
        {{QStringLiteral("Cleopatra"), QStringLiteral("--text")}, Action::PrintUnicode},
        {{QStringLiteral("Cleopatra"), QStringLiteral("-o"), QStringLiteral("c.pdf")},
         Action::WriteFile},
        {{QStringLiteral("Cleopatra"), QStringLiteral("--cartouche")}, std::nullopt},
        {{QStringLiteral("--batch"), QStringLiteral("names.txt")}, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const CommandLine::Parsed parsed =
            CommandLine::parse(QStringList{QStringLiteral("scarabo")} + c.arguments);
        EXPECT_EQ(parsed.usageError.isEmpty(), c.action.has_value());
        if (c.action) {
            EXPECT_EQ(parsed.request.action, *c.action);
        }
    }
    EXPECT_EQ(
        CommandLine::parse({QStringLiteral("scarabo"), QStringLiteral("Cleopatra")}).request.text,
        QStringLiteral("Cleopatra"));
}

// main's arguments, and the text the window opens with, or none for a command-line start.
struct StartCase {
    QStringList arguments;
    std::optional<QString> window;
};

const StartCase startCases[] = {
    {{}, u""_s},
    {{u"-platform"_s, u"xcb"_s}, u""_s},
    {{u"-style"_s, u"fusion"_s, u"-reverse"_s}, u""_s},
    {{u"-style=fusion"_s, u"--reverse"_s}, u""_s},
    {{u"-display"_s, u":1"_s}, u""_s},
    {{u"-display"_s}, u""_s},
    {{u"-style"_s, u"fusion"_s, u"ship"_s}, u"ship"_s},
    {{u"-platform"_s, u"offscreen"_s, u"--text"_s, u"ship"_s}, std::nullopt},
    {{u"--help"_s}, std::nullopt},
};

TEST(CommandLineRunTest, QtsOwnStartOptionsAloneOpenTheWindow) {
    for (const StartCase& c : startCases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        EXPECT_EQ(CommandLineRun::windowText(QStringList{u"/usr/bin/scarabo"_s} + c.arguments),
                  c.window);
    }
}

} // namespace
