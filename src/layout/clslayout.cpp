#include "layout/clslayout.h"

#include "layout/leadingnumber.h"
#include "platform/roundnumber.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace {

// Raises the flag for one pass and lowers it however the pass ends, so that one failed pass
// never switches the layout off for the rest of the run.
class PassFlag {
public:
    explicit PassFlag(bool& flag)
        : m_flag(flag) {
        m_flag = true;
    }
    ~PassFlag() { m_flag = false; }
    PassFlag(const PassFlag&) = delete;
    PassFlag& operator=(const PassFlag&) = delete;

private:
    bool& m_flag;
};

// Character positions inside a tag are 16-bit numbers counted from 1.
std::int16_t tagPosition(qsizetype zeroBasedIndex) {
    if (zeroBasedIndex + 1 > std::numeric_limits<std::int16_t>::max())
        throw RuntimeError(ErrorNumber::Overflow);
    return static_cast<std::int16_t>(zeroBasedIndex + 1);
}

std::int32_t growth(float size, std::int32_t reference) {
    return std::max(roundToInt32(static_cast<double>(size) - reference), 0);
}

void writeIgnoringErrors(LayoutControl& control, GeometryProperty property, double twips) {
    try {
        control.setGeometry(property, twips);
    } catch (const RuntimeError&) {
        // A control that refuses one value keeps it and still gets the other writes.
    }
}

void applyRecord(const clsControl& record, std::int32_t dx, std::int32_t dy) {
    LayoutControl& control = *record.ctrl;
    writeIgnoringErrors(control, GeometryProperty::Left, record.xr * dx + record.Left);
    writeIgnoringErrors(control, GeometryProperty::Top, record.yr * dy + record.Top);
    writeIgnoringErrors(control, GeometryProperty::Width, record.wr * dx + record.Width);
    writeIgnoringErrors(control, GeometryProperty::Height, record.hr * dy + record.Height);
}

} // namespace

void clsLayout::setMinWidth(float Twips) {
    mMinWidth = roundToInt32(Twips);
}

float clsLayout::MinWidth() const {
    return static_cast<float>(mMinWidth);
}

void clsLayout::setMinHeight(float Twips) {
    mMinHeight = roundToInt32(Twips);
}

float clsLayout::MinHeight() const {
    return static_cast<float>(mMinHeight);
}

void clsLayout::SetLayout(std::shared_ptr<LayoutWindow> frm) {
    mForm = std::move(frm);
    const LayoutWindow& form = requireObject(mForm);
    mMinWidth = roundToInt32(form.width());
    mMinHeight = roundToInt32(form.height());
    mControls = std::make_shared<std::vector<clsControl>>();
    for (const std::shared_ptr<LayoutControl>& control : form.controls()) {
        // A toolbar places itself along the window's edge.
        if (control->typeName() == u"Toolbar")
            continue;
        AddControl(control, control->tag());
    }
}

void clsLayout::RedrawLayout() {
    if (inRedraw)
        return;
    const PassFlag pass(inRedraw);
    LayoutWindow& form = requireObject(mForm);
    if (form.windowState() == WindowState::Normal)
        keepMinimumSize(form);

    const std::shared_ptr<std::vector<clsControl>> records = mControls;
    const std::vector<clsControl>& list = requireObject(records);
    std::int32_t dx = 0;
    std::int32_t dy = 0;
    // By index and by copy: a write may run code that appends to the list.
    for (std::size_t i = 0; i < list.size(); ++i) {
        const clsControl record = list[i];
        if (dx == 0)
            dx = growth(requireObject(record.ctrl->parent()).width(), mMinWidth);
        if (dy == 0)
            dy = growth(requireObject(record.ctrl->parent()).height(), mMinHeight);
        applyRecord(record, dx, dy);
    }
}

void clsLayout::keepMinimumSize(LayoutWindow& form) const {
    // Each write may deliver a nested resize notification, which the running pass turns away.
    if (static_cast<double>(form.width()) < mMinWidth)
        form.setWidth(static_cast<float>(mMinWidth));
    if (static_cast<double>(form.height()) < mMinHeight)
        form.setHeight(static_cast<float>(mMinHeight));
}

void clsLayout::AddControl(std::shared_ptr<LayoutControl> ctrl, const QString& pOpts) {
    try {
        clsControl record;
        record.ctrl = std::move(ctrl);
        record.xr = ParseFactor(u"X=", pOpts);
        record.yr = ParseFactor(u"Y=", pOpts);
        record.wr = ParseFactor(u"W=", pOpts);
        record.hr = ParseFactor(u"H=", pOpts);
        const LayoutControl& control = requireObject(record.ctrl);
        record.Left = roundToInt32(control.geometry(GeometryProperty::Left));
        record.Top = roundToInt32(control.geometry(GeometryProperty::Top));
        record.Width = roundToInt32(control.geometry(GeometryProperty::Width));
        record.Height = roundToInt32(control.geometry(GeometryProperty::Height));
        requireObject(mControls).push_back(std::move(record));
    } catch (const RuntimeError&) {
        // Left out: the control keeps its design geometry for good.
    }
}

double clsLayout::ParseFactor(QStringView key, QStringView opts) {
    std::int16_t n = 0;
    std::int16_t d = 1;
    const qsizetype keyIndex = opts.indexOf(key);
    if (keyIndex >= 0) {
        const qsizetype valueIndex = keyIndex + key.size();
        const qsizetype spaceIndex = opts.indexOf(u' ', valueIndex);
        const std::int16_t e = tagPosition(spaceIndex >= 0 ? spaceIndex : opts.size());
        const QStringView v = opts.mid(valueIndex, e - 1 - valueIndex);
        n = roundToInt16(leadingNumber(v));
        const std::int16_t q = tagPosition(v.indexOf(u'/'));
        if (q > 0)
            d = roundToInt16(leadingNumber(v.mid(q)));
    }
    if (d == 0)
        throw RuntimeError(ErrorNumber::DivisionByZero);
    return static_cast<double>(n) / d;
}
