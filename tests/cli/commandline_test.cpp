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
