#include "host/PSSliderTableCell.h"

#include "platform/ObjCClass.h"

#include <cmath>
#include <cstdio>

namespace {

const auto registration = ClassRegistration<PSSliderTableCell, PSControlTableCell>()
                              .initializer<&PSSliderTableCell::initWithStyle_reuseIdentifier_specifier>(
                                  "initWithStyle:reuseIdentifier:specifier:");

// Numbers or numeric text (pages in the old text form hold no numbers), as
// floatValue reads them; a bound past a float's range (1e39) falls back too.
float floatFor(const Value& value, float fallback) { return value.finiteFloatValue().value_or(fallback); }

// Whole numbers without decimals, others to two places.
std::string valueText(float value) {
    char text[32];
    double rounded = std::round(value * 100) / 100;
    std::snprintf(text, sizeof text, rounded == std::floor(rounded) ? "%.0f" : "%.2f", rounded);
    return text;
}

bool isStepper(const PSSpecifier& row) { return row.propertyForKey("cellKind") == Value("HBStepperTableCell"); }

// A stepper's label is a format that names its whole value ("Display For %i
// Seconds"), its `singularLabel` the one for a value of one.
std::string stepperTitle(const PSSpecifier& row, int value) {
    Value singular = row.propertyForKey("singularLabel");
    std::string format = value == 1 && singular.isString() ? singular.asString() : row.name();
    std::string title;
    bool named = false;
    for (std::size_t at = 0; at < format.size(); ++at) {
        if (format[at] != '%' || at + 1 == format.size()) {
            title += format[at];
        } else if (format[at + 1] == '%') {
            title += '%';
            ++at;
        } else if (!named && (format[at + 1] == 'i' || format[at + 1] == 'd')) {
            title += std::to_string(value);
            named = true;
            ++at;
        } else {
            title += format[at];
        }
    }
    return title;
}

} // namespace

void PSSliderTableCell::refreshCellContentsWithSpecifier(const std::shared_ptr<PSSpecifier>& specifier) {
    PSControlTableCell::refreshCellContentsWithSpecifier(specifier);
    setSelectionStyle(UITableViewCellSelectionStyle::None);
    if (!control()) {
        auto slider = alloc<UISlider>()->initWithFrame(CGRectMake(0, 0, 0, UISlider::kHeight));
        slider->addTarget_action_forControlEvents(
            self<PSSliderTableCell>(), Selector::of<&PSSliderTableCell::sliderChanged>("sliderChanged:"),
            UIControlEvents::ValueChanged);
        setControl(slider);
        _valueLabel = alloc<UILabel>()->initWithFrame(CGRectZero);
        _valueLabel->setTextAlignment(NSTextAlignment::Right);
        contentView()->addSubview(_valueLabel);
    }
    if (!specifier) return;
    slider()->setMinimumValue(floatFor(specifier->propertyForKey(PSControlMinimumKey), 0));
    slider()->setMaximumValue(floatFor(specifier->propertyForKey(PSControlMaximumKey), 1));
    _valueLabel->setHidden(!specifier->propertyForKey(PSSliderShowValueKey).boolValue());
    // The label the row does not show still names the slider to the screen reader.
    slider()->setAccessibilityLabel(isStepper(*specifier) ? std::string() : specifier->name());
}

void PSSliderTableCell::setValue(const Value& value) {
    slider()->setValue(floatFor(value, slider()->minimumValue()));
    showValue();
}

bool PSSliderTableCell::showsTitle() const {
    auto row = specifier();
    return row && isStepper(*row);
}

void PSSliderTableCell::layoutSubviews() {
    PSControlTableCell::layoutSubviews();
    _valueLabel->setFrame(CGRectMake(trailingStart(), 0, kValueWidth, contentView()->bounds().height()));
}

// A segmented slider (`isSegmented`, `segmentCount` steps; a stepper's steps
// of one) stops only on its steps.
void PSSliderTableCell::snapToStep() {
    auto row = specifier();
    if (!row) return;
    float low = slider()->minimumValue();
    float high = slider()->maximumValue();
    int count = row->propertyForKey("segmentCount").intValue();
    if (isStepper(*row)) count = static_cast<int>(high - low);
    else if (!row->propertyForKey("isSegmented").boolValue()) return;
    if (count <= 0 || high <= low) return;
    float step = (high - low) / static_cast<float>(count);
    slider()->setValue(low + std::round((slider()->value() - low) / step) * step);
}

void PSSliderTableCell::sliderChanged(const std::shared_ptr<UIControl>&) {
    snapToStep();
    showValue();
    sendValueChanged(Value(static_cast<double>(slider()->value())));
}

void PSSliderTableCell::showValue() {
    _valueLabel->setText(valueText(slider()->value()));
    auto row = specifier();
    if (row && isStepper(*row)) titleLabel()->setText(stepperTitle(*row, static_cast<int>(std::lround(slider()->value()))));
}
