// GetWords against the plain splitter, fields and errors alike; and the fields it finds, quoted and
// joined as the writers do it, must split back into the same fields.

#include "datfile/getwords.h"
#include "fuzzsupport.h"
#include "plaingetwords.h"

namespace {

constexpr qsizetype maxLineLength = 32765;

struct Split {
    QStringList fields;
    int error = 0;
    bool operator==(const Split&) const = default;
};

Split splitWith(QStringList (*splitter)(QStringView), QStringView line) {
    Split split;
    split.error = FuzzSupport::errorOf([&] { split.fields = splitter(line); });
    return split;
}

QString describe(const Split& split) {
    if (split.error != 0)
        return QStringLiteral("error %1").arg(split.error);
    return FuzzSupport::escaped(u'[' + split.fields.join(u'|') + u']');
}

void requireSame(const QString& line, const Split& got, const Split& expected) {
    if (!(got == expected))
        FuzzSupport::finding(
            QStringLiteral("line [%1] splits into %2, expected %3")
                .arg(FuzzSupport::escaped(line), describe(got), describe(expected)));
}

QString quotedLine(const QStringList& fields) {
    QStringList quoted;
    for (QString field : fields)
        quoted.append(u'"' + field.replace(u'"', QStringLiteral("\"\"")) + u'"');
    return quoted.join(u',');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString line = FuzzSupport::textFrom(data, size);
    const Split split = splitWith(GetWords, line);
    requireSame(line, split, splitWith(plainGetWords, line));
    if (split.fields.size() > 1) {
        const QString rebuilt = quotedLine(split.fields.sliced(1));
        const Split expected = rebuilt.size() > maxLineLength ? Split{{}, 6} : split;
        requireSame(rebuilt, splitWith(GetWords, rebuilt), expected);
    }
    return 0;
}
