#include "window/Controls.h"

#include <QCheckBox>

namespace pollwick {

int checkValue(const QCheckBox* box)
{
    switch (box->checkState()) {
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    case Qt::Unchecked:
        break;
    }
    return 0;
}

bool isTicked(const QCheckBox* box)
{
    return checkValue(box) == 1;
}

void enableIfTicked(QWidget* field, const QCheckBox* box)
{
    field->setEnabled(isTicked(box));
}

bool ownEnabled(const QWidget* control)
{
    return !control->testAttribute(Qt::WA_ForceDisabled);
}

} // namespace pollwick
