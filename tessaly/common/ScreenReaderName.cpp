#include "ScreenReaderName.h"

#include <QAbstractItemView>
#include <QComboBox>

void NameForScreenReaders(QWidget& control, const QString& name) {
    control.setAccessibleName(name);
    control.setAccessibleDescription(control.toolTip());
    if (auto* dropDown = qobject_cast<QComboBox*>(&control))
        dropDown->view()->setAccessibleName(name + " choices");
}
