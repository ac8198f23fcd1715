// A control's layout tag read by clsLayout, through registration and one pass on a window grown by
// one twip each way from a control at 0, 0, 0, 0: the four values the control is then given are
// its four factors. A tag is either dropped whole or gives four finite factors no larger than a
// 16-bit numerator can make; and text around the keys that forms no key changes nothing.

#include "fakelayoutwindow.h"
#include "fuzzsupport.h"
#include "layout/clslayout.h"

#include <cmath>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

// Positions inside a tag are 16-bit: near that limit a longer tag may overflow where a shorter
// one does not.
constexpr qsizetype maxComparedTag = 30000;

using Factors = std::vector<double>; // X, Y, W, H; empty when the control was left out

Factors factorsOf(const QString& tag) {
    const auto window = std::make_shared<FakeWindow>(1000.0f, 1000.0f);
    const std::shared_ptr<FakeControl> control = window->add(tag);
    clsLayout layout;
    layout.SetLayout(window);
    window->w += 1.0f;
    window->h += 1.0f;
    layout.RedrawLayout();

    const GeometryProperty order[] = {GeometryProperty::Left, GeometryProperty::Top,
                                      GeometryProperty::Width, GeometryProperty::Height};
    Factors factors;
    for (const GeometryWrite& write : control->writes) {
        if (factors.size() >= 4 || write.property != order[factors.size()])
            FuzzSupport::finding(QStringLiteral("the writes of one pass are out of order"));
        factors.push_back(write.twips);
    }
    return factors;
}

QString describe(const QString& tag, const Factors& factors) {
    QStringList values;
    for (const double factor : factors)
        values.append(QString::number(factor));
    return QStringLiteral("[%1] gives {%2}").arg(FuzzSupport::escaped(tag), values.join(u", "));
}

void checkFactors(const QString& tag, const Factors& factors) {
    if (!factors.empty() && factors.size() != 4)
        FuzzSupport::finding(u"only some factors: "_s + describe(tag, factors));
    for (const double factor : factors) {
        if (!std::isfinite(factor) || std::fabs(factor) > 32768.0)
            FuzzSupport::finding(u"a factor out of range: "_s + describe(tag, factors));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString tag = FuzzSupport::textFrom(data, size);
    const Factors factors = factorsOf(tag);
    checkFactors(tag, factors);
    if (tag.size() > maxComparedTag)
        return 0;
    for (const QString& padded : {QStringLiteral("Q ") + tag, tag + QStringLiteral(" Q")}) {
        const Factors again = factorsOf(padded);
        if (again != factors)
            FuzzSupport::finding(describe(tag, factors) + u" but "_s + describe(padded, again));
    }
    return 0;
}
