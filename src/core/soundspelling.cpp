#include "core/soundspelling.h"

#include "datfile/clsdatfile.h"
#include "platform/appinfo.h"
#include "platform/runtimeerror.h"

namespace {

const QString beforePrefix = QStringLiteral("before:");

bool isWordBreak(QChar unit) {
    return unit.isSpace() || unit.isPunct();
}

} // namespace

QString SoundSpelling::tablePath(const QString& applicationFolder) {
    return AppInfo::dataPath(applicationFolder, QStringLiteral("Sounds.dat"));
}

SoundSpelling SoundSpelling::load(const QString& path) {
    clsDatFile table;
    table.setFileName(path);
    try {
        table.Load();
    } catch (const RuntimeError& error) {
        throw RuntimeError(error.number(), QStringLiteral("%1: %2").arg(path, error.description()));
    }
    return SoundSpelling(table);
}

SoundSpelling::SoundSpelling(const clsDatFile& table) {
    for (qint16 row = 1; row < table.Rows(); ++row) {
        const QString where = table.Data(row, 2).trimmed().toLower();
        Rule rule{table.Data(row, 0).trimmed().toLower(),
                  table.Data(row, 1).trimmed().toLower(),
                  where == u"start",
                  {}};
        if (where.startsWith(beforePrefix))
            rule.before = where.sliced(beforePrefix.size());
        const bool knownPlace = where == u"anywhere" || rule.atStart || !rule.before.isEmpty();
        if (!rule.letters.isEmpty() && knownPlace)
            m_rules.append(rule);
    }
}

const SoundSpelling::Rule* SoundSpelling::ruleAt(const QString& lowered, qsizetype position) const {
    const bool wordStart = position == 0 || isWordBreak(lowered[position - 1]);
    for (const Rule& rule : m_rules) {
        if (!QStringView(lowered).sliced(position).startsWith(rule.letters))
            continue;
        const qsizetype next = position + rule.letters.size();
        const bool followed = next < lowered.size() && rule.before.contains(lowered[next]);
        if ((!rule.atStart || wordStart) && (rule.before.isEmpty() || followed))
            return &rule;
    }
    return nullptr;
}

// The text is lowered unit by unit, so every position of the lowered text is the same position of
// the text as typed.
SoundSpelling::Respelled SoundSpelling::respell(const QString& text) const {
    QString lowered = text;
    for (QChar& unit : lowered)
        unit = unit.toLower();
    Respelled result;
    qsizetype position = 0;
    while (position < text.size()) {
        const Rule* rule = ruleAt(lowered, position);
        const qsizetype length = rule ? rule->letters.size() : 1;
        const QString spelled = rule ? rule->spelledAs : text.sliced(position, 1);
        result.text += spelled;
        for (qsizetype k = 0; k < spelled.size(); ++k) {
            result.from.append(position);
            result.to.append(position + length);
        }
        position += length;
    }
    result.from.append(text.size());
    result.to.append(text.size());
    return result;
}
