#include "app/OptionWidgets.h"

#include "settings/OptionControls.h"

#include <QCheckBox>
#include <QComboBox>

int checkValue(const QCheckBox *box)
{
    return checkValueFromState(box->checkState());
}

void setCheckValue(QCheckBox *box, int value)
{
    const Qt::CheckState state = checkStateFromValue(value);
    if (state != Qt::PartiallyChecked) {
        box->setTristate(false);
        box->setCheckState(state);
        return;
    }
    // QCheckBox shows grayed only while tristate, and a tristate box cycles
    // through grayed on clicks. Leave tristate as soon as a click moves the
    // box off grayed.
    static const char guardProperty[] = "foliotraceGrayedGuard";
    if (!box->property(guardProperty).toBool()) {
        box->setProperty(guardProperty, true);
        QObject::connect(box, &QCheckBox::stateChanged, box, [box](int newState) {
            if (newState != Qt::PartiallyChecked)
                box->setTristate(false);
        });
    }
    box->setCheckState(Qt::PartiallyChecked);
}

int comboListIndex(const QComboBox *combo)
{
    return combo->findText(combo->currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
}

void setComboListIndex(QComboBox *combo, int index)
{
    if (index < 0 || index >= combo->count()) {
        combo->setCurrentIndex(-1);
        if (combo->isEditable())
            combo->clearEditText();
        return;
    }
    combo->setCurrentIndex(index);
    // An editable field may show typed text over the same index; make it
    // show the item.
    if (combo->isEditable())
        combo->setEditText(combo->itemText(index));
}
