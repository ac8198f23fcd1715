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

// main's arguments, and whether they make a command-line start rather than the window's.
struct StartCase {
    QStringList arguments;
    bool commandLine;
};

const StartCase startCases[] = {
    {{}, false},
    {{u"-platform"_s, u"xcb"_s}, false},
    {{u"-style"_s, u"fusion"_s, u"-reverse"_s}, false},
    {{u"-style=fusion"_s, u"--reverse"_s}, false},
    {{u"-display"_s, u":1"_s}, false},
    {{u"-platform"_s, u"offscreen"_s, u"--text"_s, u"ship"_s}, true},
    {{u"ship"_s}, true},
    {{u"--help"_s}, true},
    {{u"-display"_s}, false},
};

TEST(CommandLineRunTest, QtsOwnStartOptionsAloneOpenTheWindow) {
    for (const StartCase& c : startCases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        EXPECT_EQ(CommandLineRun::wanted(QStringList{u"/usr/bin/scarabo"_s} + c.arguments),
                  c.commandLine);
    }
}

} // namespace
