#pragma once

#include "platform/messagesink.h"

#include <fluidsynth.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace platform::qt {

inline constexpr const char* SystemSoundFontFolder = "/usr/share/sounds/sf2";

// What the composition root decides about the sound.
struct FluidEngineSettings {
    std::string soundFont; // --soundfont FILE; empty: the system's General MIDI SoundFont
    std::string soundFontFolder = SystemSoundFontFolder; // where the fallbacks are
    bool silent = false; // never open an audio device: render in real time into /dev/null
};

// The SoundFonts to try, in order: the chosen one, the system's default-GM.sf2, then every other
// .sf2 or .sf3 in the folder by name, each file once.
std::vector<std::string> soundFontCandidates(const std::string& chosen, const std::string& folder);

// The synthesiser of the process: its settings, its one SoundFont and the choice of audio output.
// One song at a time plays on it. The SoundFont starts loading on a worker thread as soon as the
// engine is made, once for the process: a large one takes a good part of a second, which the
// user spends in the browser instead of waiting at the first PLAY. The first song waits for the
// load to end, and only then is a failed load told. The synthesiser's log goes to our own
// handler and the audio library's error lines are dropped, so nothing reaches the terminal. Must
// outlive every device that plays on it.
class FluidEngine {
public:
    FluidEngine(FluidEngineSettings settings, MessageSink& messages);
    ~FluidEngine();
    FluidEngine(const FluidEngine&) = delete;
    FluidEngine& operator=(const FluidEngine&) = delete;

    struct AudioDriverDeleter {
        void operator()(fluid_audio_driver_t* driver) const noexcept;
    };
    using AudioDriver = std::unique_ptr<fluid_audio_driver_t, AudioDriverDeleter>;

    // The synthesiser for one song, reset to its power-on state when the claim ends. The first
    // claim waits for the SoundFont. A second claim while one is held is refused (error 5).
    class Claim {
    public:
        Claim() = default;
        explicit Claim(FluidEngine& engine);
        ~Claim();
        Claim(Claim&& other) noexcept;
        Claim& operator=(Claim&& other) noexcept;
        fluid_synth_t* synth() const noexcept;

    private:
        FluidEngine* m_engine = nullptr;
    };

    // Starts rendering the synthesiser: the sound server, else the sound card, else silently in
    // real time. Throws a RuntimeError when not even the silent output starts.
    AudioDriver startAudio();

    // The output the last startAudio() chose ("pulseaudio", "alsa", "file") and, from the first
    // claim on, the SoundFont in use (empty when none could be loaded); for diagnostics.
    const std::string& outputName() const noexcept { return m_outputName; }
    const std::string& soundFontName() const noexcept { return m_soundFontName; }

private:
    // On the loader thread, which alone touches the synthesiser until it is joined.
    void prepareSynth() noexcept;
    void loadSoundFont();
    void finishLoading();
    void tellSoundFontOnce();

    FluidEngineSettings m_config;
    MessageSink& m_messages;
    struct SettingsDeleter {
        void operator()(fluid_settings_t* settings) const noexcept;
    };
    struct SynthDeleter {
        void operator()(fluid_synth_t* synth) const noexcept;
    };
    std::unique_ptr<fluid_settings_t, SettingsDeleter> m_settings;
    std::unique_ptr<fluid_synth_t, SynthDeleter> m_synth;
    bool m_soundFontTried = false;
    bool m_soundFontTold = false;
    bool m_claimed = false;
    std::string m_outputName;
    std::string m_soundFontName;
    // Loads the SoundFont from the start; joined by the first claim, else by the destructor.
    std::thread m_loader;
};

// The last error the synthesiser logged since the last call, if any (its log is kept off the
// terminal), in its own words.
std::string takeFluidError();

} // namespace platform::qt
