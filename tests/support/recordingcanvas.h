#pragma once

#include "platform/canvas.h"
#include "platform/pictureloader.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace testsupport {

// A pane with fixed metrics (every character 8 pixels wide, every line 16 pixels high, 96 dots
// per inch) that writes each drawing operation into `log` as a line of text:
//   "cls"  "back C"  "fore C"  "fill C"  "font NAME SIZE [bold] [italic]"
//   "print X,Y TEXT" (where printing starts)  "box X1,Y1-X2,Y2 C"  "circle X,Y rR C fill F"
//   "picture WxH" (HIMETRIC) or "picture none"  "blit X,Y WxH"
class RecordingCanvas : public platform::Canvas {
public:
    RecordingCanvas(double paneWidth = 640, double paneHeight = 480)
        : width(paneWidth), height(paneHeight) {}

    double textWidth(std::string_view text) const override;
    double textHeight(std::string_view text) const override;
    double scaleWidth() const override { return width; }
    double scaleHeight() const override { return height; }
    double currentX() const override { return x; }
    double currentY() const override { return y; }
    void setCurrentX(double value) override { x = value; }
    void setCurrentY(double value) override { y = value; }
    void setFont(const platform::FontDescription& font) override;
    void setBackColor(platform::Color color) override;
    void setForeColor(platform::Color color) override;
    void setFillColor(platform::Color color) override;
    void print(std::string_view text) override;
    void cls() override;
    void fillBox(double x1, double y1, double x2, double y2, platform::Color color) override;
    void fillCircle(double cx, double cy, double radius, platform::Color outline) override;
    void setPicture(platform::PicturePtr picture) override;
    double himetricToPixelsX(double himetric) const override { return himetric * dpi / 2540; }
    double himetricToPixelsY(double himetric) const override { return himetric * dpi / 2540; }
    void paintPicture(const platform::Picture& picture, double px, double py, double w,
                      double h) override;

    double charWidth = 8;
    double lineHeight = 16;
    double dpi = 96;
    double width;
    double height;
    double x = 0;
    double y = 0;
    platform::Color fillColor = 0;
    platform::PicturePtr picture;
    std::vector<std::string> log;
};

// A picture of a given size in HIMETRIC units.
class FakePicture : public platform::Picture {
public:
    FakePicture(std::int32_t width, std::int32_t height) : m_width(width), m_height(height) {}
    // The HIMETRIC size of a picture of so many pixels at 96 dots per inch, rounded.
    static platform::PicturePtr ofPixels(int width, int height);
    std::int32_t Width() const override { return m_width; }
    std::int32_t Height() const override { return m_height; }

private:
    std::int32_t m_width;
    std::int32_t m_height;
};

// Serves pictures by path; any other path is a missing file, or the error number given.
class FakePictureLoader : public platform::PictureLoader {
public:
    platform::PicturePtr load(const std::string& path) const override;
    std::map<std::string, platform::PicturePtr> pictures;
    std::map<std::string, int> errors;
};

} // namespace testsupport
