#include "fuzzsupport.h"

#include "datfile/fatalcheck.h"
#include "platform/runtimeerror.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct FatalCheckStopped {};

void installFatalHandler() {
    static const bool installed = [] {
        FatalCheck::setHandler([](const QString&) { throw FatalCheckStopped(); });
        return true;
    }();
    (void)installed;
}

} // namespace

namespace FuzzSupport {

QString textFrom(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return {};
    const auto* rest = reinterpret_cast<const char*>(data + 1);
    const auto restSize = static_cast<qsizetype>(size - 1);
    if (data[0] % 2 == 0)
        return QString::fromUtf8(rest, restSize);
    QString text(restSize / 2, Qt::Uninitialized);
    std::memcpy(text.data(), rest, static_cast<std::size_t>(text.size()) * sizeof(char16_t));
    return text;
}

int errorOf(const std::function<void()>& call) {
    installFatalHandler();
    try {
        call();
    } catch (const RuntimeError& error) {
        return error.number();
    } catch (const FatalCheckStopped&) {
        return -1;
    }
    return 0;
}

QString escaped(QStringView text) {
    QString printable;
    for (const QChar unit : text) {
        if (unit >= u' ' && unit <= u'~' && unit != u'\\')
            printable += unit;
        else
            printable += QStringLiteral("\\u%1").arg(unit.unicode(), 4, 16, QLatin1Char('0'));
    }
    return printable;
}

void finding(const QString& what) {
    std::fprintf(stderr, "FINDING: %s\n", qPrintable(what));
    std::abort();
}

} // namespace FuzzSupport
