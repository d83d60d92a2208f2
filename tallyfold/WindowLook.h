#pragma once

class QWidget;

namespace tallyfold {

// Tallyfold's light look, in the blue of its banner: buttons and the label field with clear
// hover, pressed and focus states, so that the keyboard's place shows at a glance.
void DressControls(QWidget& window);

} // namespace tallyfold
