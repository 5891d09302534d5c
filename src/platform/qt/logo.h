#pragma once

class QLabel;
class QWidget;

namespace platform::qt {

// The program's logo (225 x 85 pixels) as a label named "Image1" of the logo's own size, at the
// top left of `parent` until placed.
QLabel* makeLogo(QWidget* parent);

} // namespace platform::qt
