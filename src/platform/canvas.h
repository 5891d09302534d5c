#pragma once

#include "platform/color.h"
#include "platform/font.h"
#include "platform/picture.h"

#include <string_view>

namespace platform {

// A drawing pane with a persistent page: what is drawn stays until it is cleared, whatever
// happens to the window. Coordinates are pixels from the top left corner of the pane's inner
// area, as doubles. Text is the program's single-byte text (one character per byte, Windows-1252)
// in which a carriage return starts a new line; a line feed is no character of its own.
class Canvas {
public:
    virtual ~Canvas() = default;

    // Width of the widest line of the text in the current font.
    virtual double textWidth(std::string_view text) const = 0;
    // (number of carriage returns + 1) line heights.
    virtual double textHeight(std::string_view text) const = 0;
    // The inner size of the pane.
    virtual double scaleWidth() const = 0;
    virtual double scaleHeight() const = 0;

    // The current position, where the next text is printed (the top left of its first line).
    virtual double currentX() const = 0;
    virtual double currentY() const = 0;
    virtual void setCurrentX(double x) = 0;
    virtual void setCurrentY(double y) = 0;

    virtual void setFont(const FontDescription& font) = 0;
    // Also clears the page, as cls() does.
    virtual void setBackColor(Color color) = 0;
    // The colour of printed text.
    virtual void setForeColor(Color color) = 0;
    // The colour inside circles.
    virtual void setFillColor(Color color) = 0;

    // Prints at the current position in the fore colour without painting a background. A
    // carriage return continues at x = 0 one line lower; afterwards the current position is
    // just after the last character printed.
    virtual void print(std::string_view text) = 0;
    // Paints the background colour and the background picture over the whole page and puts the
    // current position at (0, 0).
    virtual void cls() = 0;
    // Fills the pixels from corner (x1, y1) to corner (x2, y2), both included, in one colour;
    // afterwards the current position is (x2, y2).
    virtual void fillBox(double x1, double y1, double x2, double y2, Color color) = 0;
    // A disc of the given radius: its rim in `outline`, its inside in the fill colour. Afterwards
    // the current position is the centre.
    virtual void fillCircle(double x, double y, double radius, Color outline) = 0;

    // The background picture, drawn at the origin in its natural size by cls(); null removes
    // it. Setting it clears the page.
    virtual void setPicture(PicturePtr picture) = 0;
    // A length in HIMETRIC units as pixels of this pane.
    virtual double himetricToPixelsX(double himetric) const = 0;
    virtual double himetricToPixelsY(double himetric) const = 0;
    // Copies the picture's rectangle at (x, y) of the given size onto the same rectangle of the
    // page, replacing what is there (a plain source copy). Only the part that lies on the
    // picture is copied.
    virtual void paintPicture(const Picture& picture, double x, double y, double width,
                              double height) = 0;
};

} // namespace platform
