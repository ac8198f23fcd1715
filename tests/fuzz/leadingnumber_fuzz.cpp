// The leading number of a text: a finite value or the overflow error, nothing else; blanks, tabs
// and line feeds anywhere change nothing, and neither does a character after the number that
// cannot continue it.

#include "fuzzsupport.h"
#include "layout/leadingnumber.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

struct Reading {
    double value = 0.0;
    int error = 0;
    bool operator==(const Reading&) const = default;
};

Reading readingOf(QStringView text) {
    Reading reading;
    reading.error = FuzzSupport::errorOf([&] { reading.value = leadingNumber(text); });
    if (reading.error != 0 && reading.error != 6)
        FuzzSupport::finding(
            QStringLiteral("error %1 for [%2]").arg(reading.error).arg(FuzzSupport::escaped(text)));
    if (!std::isfinite(reading.value))
        FuzzSupport::finding(u"no finite value for ["_s + FuzzSupport::escaped(text) + u']');
    return reading;
}

void requireSame(const QString& text, const Reading& reading, const QString& variant) {
    const Reading again = readingOf(variant);
    if (!(again == reading))
        FuzzSupport::finding(QStringLiteral("[%1] reads %2 (error %3) but [%4] reads %5 (error %6)")
                                 .arg(FuzzSupport::escaped(text))
                                 .arg(reading.value)
                                 .arg(reading.error)
                                 .arg(FuzzSupport::escaped(variant))
                                 .arg(again.value)
                                 .arg(again.error));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = FuzzSupport::textFrom(data, size);
    const Reading reading = readingOf(text);
    const QChar skipped[] = {u' ', u'\t', u'\n'};
    QString spaced = text;
    spaced.insert(text.size() / 2, skipped[size % 3]);
    requireSame(text, reading, spaced);
    requireSame(text, reading, text + QChar(u'\u0001'));
    return 0;
}
