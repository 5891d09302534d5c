#include "platform/qt/fluidengine.h"

#include "platform/errors.h"

#include <alsa/asoundlib.h>
#include <sys/resource.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <mutex>
#include <string_view>
#include <system_error>
#include <utility>

namespace platform::qt {

namespace {

namespace fs = std::filesystem;

constexpr int LoaderNiceness = 10;

constexpr const char* NoSoundFontText =
    "No SoundFont could be loaded, so the music plays silently; the lyrics still run. Install a "
    "General MIDI SoundFont (for example the timgm6mb-soundfont package) or name one with "
    "--soundfont FILE.";

// The synthesiser logs from its audio thread too, and may do so while the process ends: the
// buffer is plain static storage behind a mutex, never a Qt object.
std::mutex& logMutex() {
    static std::mutex mutex;
    return mutex;
}
std::array<char, 256> lastError{};

void keepFluidLog(int level, const char* message, void*) {
    if (level > FLUID_ERR || message == nullptr)
        return;
    const std::lock_guard lock(logMutex());
    std::strncpy(lastError.data(), message, lastError.size() - 1);
}

// The sound card library writes its complaints (no card, no such device) to standard error
// unless a handler takes them; the synthesiser shares our copy of the library.
void dropAlsaError(const char*, int, const char*, int, const char*, ...) {}

void routeLogs() {
    for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level)
        fluid_set_log_function(level, keepFluidLog, nullptr);
    snd_lib_error_set_handler(dropAlsaError);
}

bool isSoundFont(const fs::path& path) {
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".sf2" || extension == ".sf3";
}

// Only files in a SoundFont's (or a DLS collection's) RIFF form reach the synthesiser: its
// fallback loader complains on the terminal about anything else.
bool looksLikeSoundFont(const std::string& path) {
    std::array<char, 12> head{};
    std::ifstream in(path, std::ios::binary);
    if (!in.read(head.data(), head.size()))
        return false;
    const std::string_view form(head.data() + 8, 4);
    return std::string_view(head.data(), 4) == "RIFF" && (form == "sfbk" || form == "DLS ");
}

void setText(fluid_settings_t* settings, const char* name, const char* value) {
    if (fluid_settings_setstr(settings, name, value) != FLUID_OK)
        throw RuntimeError(err::InvalidCall, std::string("the synthesiser refused ") + name);
}

} // namespace

std::string takeFluidError() {
    const std::lock_guard lock(logMutex());
    std::string text = lastError.data();
    lastError.fill('\0');
    return text;
}

std::vector<std::string> soundFontCandidates(const std::string& chosen, const std::string& folder) {
    std::vector<std::string> result;
    std::vector<fs::path> seen;
    const auto add = [&](const fs::path& path, bool evenIfMissing) {
        std::error_code error;
        const fs::path real = fs::canonical(path, error);
        if (error) {
            if (evenIfMissing)
                result.push_back(path.string());
            return;
        }
        if (std::find(seen.begin(), seen.end(), real) != seen.end())
            return;
        seen.push_back(real);
        result.push_back(path.string());
    };
    if (!chosen.empty())
        add(chosen, true);
    add(fs::path(folder) / "default-GM.sf2", false);

    std::vector<fs::path> others;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (isSoundFont(it->path()) && fs::is_regular_file(it->path(), error))
            others.push_back(it->path());
    }
    std::sort(others.begin(), others.end());
    for (const fs::path& path : others)
        add(path, false);
    return result;
}

void FluidEngine::AudioDriverDeleter::operator()(fluid_audio_driver_t* driver) const noexcept {
    delete_fluid_audio_driver(driver);
}

void FluidEngine::SettingsDeleter::operator()(fluid_settings_t* settings) const noexcept {
    delete_fluid_settings(settings);
}

void FluidEngine::SynthDeleter::operator()(fluid_synth_t* synth) const noexcept {
    delete_fluid_synth(synth);
}

FluidEngine::FluidEngine(FluidEngineSettings settings, MessageSink& messages)
    : m_config(std::move(settings)), m_messages(messages) {
    routeLogs();
    m_settings.reset(new_fluid_settings());
    if (!m_settings)
        throw RuntimeError(err::OutOfMemory, "the synthesiser could not be set up");
    // A large SoundFont need not be pinned in memory.
    fluid_settings_setint(m_settings.get(), "synth.lock-memory", 0);
    try {
        m_loader = std::thread([this] { prepareSynth(); });
    } catch (const std::system_error&) {
        // No thread to spare: the first song loads the SoundFont itself.
    }
}

FluidEngine::~FluidEngine() {
    finishLoading();
}

void FluidEngine::prepareSynth() noexcept {
    // The windows are starting meanwhile: they come first. (On Linux a thread has a priority
    // of its own; failing to lower it changes nothing else.)
    setpriority(PRIO_PROCESS, 0, LoaderNiceness);
    try {
        m_synth.reset(new_fluid_synth(m_settings.get()));
        if (m_synth)
            loadSoundFont();
    } catch (...) {
        // Out of memory: the first claim tries again and tells it.
    }
}

void FluidEngine::loadSoundFont() {
    m_soundFontTried = true;
    for (const std::string& path :
         soundFontCandidates(m_config.soundFont, m_config.soundFontFolder)) {
        if (looksLikeSoundFont(path) &&
            fluid_synth_sfload(m_synth.get(), path.c_str(), 1) != FLUID_FAILED) {
            m_soundFontName = path;
            break;
        }
    }
}

void FluidEngine::finishLoading() {
    if (m_loader.joinable())
        m_loader.join();
}

void FluidEngine::tellSoundFontOnce() {
    if (std::exchange(m_soundFontTold, true))
        return;
    if (m_soundFontName.empty())
        m_messages.showMessage(NoSoundFontText, MessageIcon::Exclamation);
    else if (!m_config.soundFont.empty() && m_soundFontName != m_config.soundFont)
        m_messages.showMessage("The SoundFont " + m_config.soundFont +
                                   " could not be loaded; the music plays with " + m_soundFontName +
                                   " instead.",
                               MessageIcon::Exclamation);
}

FluidEngine::Claim::Claim(FluidEngine& engine) : m_engine(&engine) {
    if (engine.m_claimed)
        throw RuntimeError(err::InvalidCall, "the synthesiser is playing another song");
    engine.finishLoading();
    if (!engine.m_synth) {
        engine.m_synth.reset(new_fluid_synth(engine.m_settings.get()));
        if (!engine.m_synth)
            throw RuntimeError(err::OutOfMemory, "the synthesiser could not be started");
    }
    if (!engine.m_soundFontTried)
        engine.loadSoundFont();
    engine.tellSoundFontOnce();
    engine.m_claimed = true;
}

FluidEngine::Claim::~Claim() {
    if (m_engine == nullptr)
        return;
    // The next song starts from the power-on state: no programs, controllers or notes left over.
    fluid_synth_system_reset(m_engine->m_synth.get());
    m_engine->m_claimed = false;
}

FluidEngine::Claim::Claim(Claim&& other) noexcept
    : m_engine(std::exchange(other.m_engine, nullptr)) {}

FluidEngine::Claim& FluidEngine::Claim::operator=(Claim&& other) noexcept {
    if (this != &other) {
        Claim old(std::move(*this));
        m_engine = std::exchange(other.m_engine, nullptr);
    }
    return *this;
}

fluid_synth_t* FluidEngine::Claim::synth() const noexcept {
    return m_engine == nullptr ? nullptr : m_engine->m_synth.get();
}

FluidEngine::AudioDriver FluidEngine::startAudio() {
    fluid_settings_t* settings = m_settings.get();
    // PipeWire desktops serve the sound server's protocol too. The sound card comes second: it
    // is busy or absent where a sound server runs.
    if (!m_config.silent) {
        for (const char* name : {"pulseaudio", "alsa"}) {
            setText(settings, "audio.driver", name);
            if (AudioDriver driver{new_fluid_audio_driver(settings, m_synth.get())}) {
                m_outputName = name;
                return driver;
            }
        }
    }
    // No device: the file output paces itself in real time, so the lyrics still run.
    setText(settings, "audio.driver", "file");
    setText(settings, "audio.file.name", "/dev/null");
    setText(settings, "audio.file.type", "raw");
    if (AudioDriver driver{new_fluid_audio_driver(settings, m_synth.get())}) {
        m_outputName = "file";
        return driver;
    }
    throw RuntimeError(err::InvalidCall, "no audio output could be started");
}

} // namespace platform::qt
