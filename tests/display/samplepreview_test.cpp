#include "display/samplepreview.h"
#include "platform/errors.h"
#include "support/recordingcanvas.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace display;
using testsupport::FakePicture;
using testsupport::FakePictureLoader;
using testsupport::RecordingCanvas;

namespace {

options::Options sampleOptions() {
    options::Options options;
    options.FontColor = 1;
    options.BallColor = 2;
    options.HighColor = 3;
    options.BackColor = 4;
    options.Ball = true;
    return options;
}

} // namespace

TEST(DrawSamplePreview, DrawsTheBoxTheBallAndTheTextCentredInThePane) {
    RecordingCanvas pane(300, 100); // the line's top at (100 - 16) / 2 = 42
    FakePictureLoader loader;
    options::Options options = sampleOptions();
    DrawSamplePreview(pane, loader, options);
    EXPECT_EQ(pane.log, (std::vector<std::string>{
                            "picture none", "back 4", "fore 1", "fill 3", "box 40,42-64,58 3",
                            "fill 2", "circle 20,38 r4 2 fill 2", "print 40,42 Sample Output"}));
}

TEST(DrawSamplePreview, WithoutTheBallThereIsNoCircle) {
    RecordingCanvas pane(300, 100);
    FakePictureLoader loader;
    options::Options options = sampleOptions();
    options.Ball = false;
    DrawSamplePreview(pane, loader, options);
    for (const std::string& operation : pane.log)
        EXPECT_EQ(operation.find("circle"), std::string::npos);
    EXPECT_EQ(pane.log.back(), "print 40,42 Sample Output");
}

TEST(DrawSamplePreview, TheBackgroundPictureFollowsTheBitmapSettingAndItsFile) {
    const auto stage = FakePicture::ofPixels(100, 50);
    FakePictureLoader loader;
    loader.pictures["/pictures/stage.bmp"] = stage;
    loader.errors["/pictures/notes.txt"] = platform::err::InvalidPicture;
    loader.errors["/gone/stage.bmp"] = platform::err::PathNotFound;

    const struct {
        bool bitmap;
        const char* fileName;
        const char* firstOperation; // how the picture was set, or the background
        const char* fileNameAfter;
    } cases[] = {
        {true, "/pictures/stage.bmp", "picture 2646x1323", "/pictures/stage.bmp"},
        {true, "/pictures/missing.bmp", "picture none", ""},
        {true, "/gone/stage.bmp", "picture none", ""},
        {true, "/pictures/notes.txt", "back 4", "/pictures/notes.txt"}, // the old picture stays
        {true, "", "back 4", ""},
        {false, "/pictures/stage.bmp", "picture none", "/pictures/stage.bmp"},
    };
    for (const auto& c : cases) {
        RecordingCanvas pane(300, 100);
        options::Options options = sampleOptions();
        options.Bitmap = c.bitmap;
        options.FileName = c.fileName;
        DrawSamplePreview(pane, loader, options);
        EXPECT_EQ(pane.log.front(), c.firstOperation) << c.fileName;
        EXPECT_EQ(options.FileName, c.fileNameAfter) << c.fileName;
    }
}
