#pragma once

#include <QRect>
#include <QSize>

class QWidget;

namespace platform::qt {

// Windows are designed in twips (1440 to the inch); on screen a twip length becomes pixels at
// the screen's resolution (15 twips to the pixel at 96 dots per inch).
int twipsToPixelsX(double twips);
int twipsToPixelsY(double twips);
QRect twipsRect(int left, int top, int width, int height);
QSize twipsSize(int width, int height);

// Windows designed in twips lay out for text of 8 points, the size their texts were measured in:
// gives the window the desktop's font at that size. Points and twips both follow the screen's
// resolution, so the layout holds at any resolution.
void useDesignFont(QWidget& window);

// Puts a top-level window in the middle of the primary screen: each offset is (screen - window)
// rounded to a whole number and halved with the remainder dropped.
void centreOnScreen(QWidget& window);

} // namespace platform::qt
