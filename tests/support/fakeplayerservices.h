#pragma once

// Everything a player window works with, faked except the picture loader (Qt programs only).

#include "platform/qt/qtpicture.h"
#include "player/ui/form3.h"
#include "support/fakeclock.h"
#include "support/fakesequencerdevice.h"
#include "support/memorysettingsstore.h"
#include "support/recordingmessagesink.h"
#include "support/scripteddialogs.h"

namespace testsupport {

struct FakePlayerServices {
    MemorySettingsStore store;
    RecordingMessageSink messages;
    ScriptedDialogs dialogs;
    FakeClock clock;
    FakeSequencerDevice device;
    platform::qt::QtPictureLoader pictures;

    player::ui::Form3Services services() {
        return {store, messages, dialogs, clock, device, pictures};
    }
};

} // namespace testsupport
