#pragma once

class QString;
class QWidget;

// Names a control for screen readers where no caption of its own does (lists, pictures,
// drop-downs), and describes it by its tooltip, which list views do not offer on their own. A
// drop-down's list is named after the drop-down.
void NameForScreenReaders(QWidget& control, const QString& name);
