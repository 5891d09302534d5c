#pragma once

#include "options/options.h"
#include "platform/canvas.h"
#include "platform/pictureloader.h"

namespace display {

// The specimen of the options dialog: "Sample Output" in the chosen font and colours, its first
// three letters boxed in the highlight colour, the ball in the left margin when it is on, over
// the chosen background picture. A picture file that has gone (missing file or folder) is
// dropped and Options.FileName emptied; any other failure to load it keeps the picture shown.
void DrawSamplePreview(platform::Canvas& pane, const platform::PictureLoader& loader,
                       options::Options& Options);

} // namespace display
