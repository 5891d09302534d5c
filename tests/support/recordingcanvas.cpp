#include "support/recordingcanvas.h"

#include "platform/errors.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace testsupport {

namespace {

std::string number(double value) {
    std::ostringstream out;
    out.precision(10);
    out << value;
    return out.str();
}

std::string point(double px, double py) {
    return number(px) + "," + number(py);
}

} // namespace

double RecordingCanvas::textWidth(std::string_view text) const {
    std::size_t widest = 0;
    std::size_t current = 0;
    for (const char c : text) {
        if (c == '\r')
            current = 0;
        else if (c != '\n')
            widest = std::max(widest, ++current);
    }
    return static_cast<double>(widest) * charWidth;
}

double RecordingCanvas::textHeight(std::string_view text) const {
    return static_cast<double>(std::count(text.begin(), text.end(), '\r') + 1) * lineHeight;
}

void RecordingCanvas::setFont(const platform::FontDescription& font) {
    log.push_back("font " + font.name + " " + number(font.size) + (font.bold ? " bold" : "") +
                  (font.italic ? " italic" : ""));
}

void RecordingCanvas::setBackColor(platform::Color color) {
    log.push_back("back " + number(color));
    x = y = 0;
}

void RecordingCanvas::setForeColor(platform::Color color) {
    log.push_back("fore " + number(color));
}

void RecordingCanvas::setFillColor(platform::Color color) {
    fillColor = color;
    log.push_back("fill " + number(color));
}

void RecordingCanvas::print(std::string_view text) {
    log.push_back("print " + point(x, y) + " " + std::string(text));
    const auto lastBreak = text.rfind('\r');
    if (lastBreak == std::string_view::npos) {
        x += textWidth(text);
        return;
    }
    y += static_cast<double>(std::count(text.begin(), text.end(), '\r')) * lineHeight;
    x = textWidth(text.substr(lastBreak + 1));
}

void RecordingCanvas::cls() {
    log.push_back("cls");
    x = y = 0;
}

void RecordingCanvas::fillBox(double x1, double y1, double x2, double y2, platform::Color color) {
    log.push_back("box " + point(x1, y1) + "-" + point(x2, y2) + " " + number(color));
    x = x2;
    y = y2;
}

void RecordingCanvas::fillCircle(double cx, double cy, double radius, platform::Color outline) {
    log.push_back("circle " + point(cx, cy) + " r" + number(radius) + " " + number(outline) +
                  " fill " + number(fillColor));
    x = cx;
    y = cy;
}

void RecordingCanvas::setPicture(platform::PicturePtr newPicture) {
    picture = std::move(newPicture);
    log.push_back(picture ? "picture " + number(picture->Width()) + "x" + number(picture->Height())
                          : std::string("picture none"));
    x = y = 0;
}

void RecordingCanvas::paintPicture(const platform::Picture&, double px, double py, double w,
                                   double h) {
    log.push_back("blit " + point(px, py) + " " + number(w) + "x" + number(h));
}

platform::PicturePtr FakePicture::ofPixels(int width, int height) {
    const auto himetric = [](int pixels) {
        return static_cast<std::int32_t>(std::lround(pixels * 2540.0 / 96.0));
    };
    return std::make_shared<FakePicture>(himetric(width), himetric(height));
}

platform::PicturePtr FakePictureLoader::load(const std::string& path) const {
    if (const auto error = errors.find(path); error != errors.end())
        platform::raiseError(error->second);
    if (const auto found = pictures.find(path); found != pictures.end())
        return found->second;
    platform::raiseError(platform::err::FileNotFound);
}

} // namespace testsupport
