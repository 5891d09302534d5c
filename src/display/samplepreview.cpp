#include "display/samplepreview.h"

#include "display/rows.h"
#include "platform/errors.h"
#include "platform/numeric.h"

namespace display {

namespace {

void showBackdrop(platform::Canvas& pane, const platform::PictureLoader& loader,
                  options::Options& Options) {
    if (!Options.Bitmap) {
        pane.setPicture(nullptr);
        return;
    }
    if (Options.FileName.empty())
        return;
    try {
        pane.setPicture(loader.load(Options.FileName));
    } catch (const platform::RuntimeError& error) {
        if (error.number() == platform::err::PathNotFound ||
            error.number() == platform::err::FileNotFound) {
            pane.setPicture(nullptr);
            Options.FileName.clear();
        }
    } catch (...) { // the specimen shows what it can; a bad picture is no reason to stop
    }
}

} // namespace

void DrawSamplePreview(platform::Canvas& pane, const platform::PictureLoader& loader,
                       options::Options& Options) {
    showBackdrop(pane, loader, Options);
    pane.setBackColor(Options.BackColor);
    pane.setForeColor(Options.FontColor);

    const std::int16_t x0 = platform::roundToInt16(pane.textWidth(Indent));
    const std::int32_t y0 = platform::divTrunc32(
        platform::roundToInt32(pane.scaleHeight() - pane.textHeight("Sam")), 2);
    pane.setFillColor(Options.HighColor);
    pane.fillBox(x0, y0, x0 + pane.textWidth("Sam"), y0 + pane.textHeight("Sam"),
                 Options.HighColor);
    if (Options.Ball) {
        pane.setFillColor(Options.BallColor);
        const double radius = 0.5 * pane.textWidth("A");
        pane.fillCircle(0.5 * x0, y0 - radius, radius, Options.BallColor);
    }
    pane.setCurrentX(x0);
    pane.setCurrentY(y0);
    pane.print("Sample Output");
}

} // namespace display
