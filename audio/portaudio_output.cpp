#include "audio/portaudio_output.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <utility>

#ifdef _WIN32
#include <pa_win_wasapi.h>
#endif

namespace {

// How often the output's thread looks at a running stream, and how often it looks for a device
// while there is none.
constexpr std::chrono::milliseconds watchInterval{50};
constexpr std::chrono::milliseconds searchInterval{500};

// The monotonic clock the frame clock's readers ask about. PortAudio's own times are on a
// clock of its own, so a buffer's time is carried over by its distance from the callback's now.
std::int64_t hostNanosNow() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// WASAPI's default output where it has one: it plays at the system's own rate and reports
// its timing buffer by buffer. MME is what remains where it has none.
PaDeviceIndex defaultOutputDevice() {
    const PaHostApiIndex wasapi = Pa_HostApiTypeIdToHostApiIndex(paWASAPI);
    if (wasapi >= 0) {
        const PaHostApiInfo* api = Pa_GetHostApiInfo(wasapi);
        if (api != nullptr && api->defaultOutputDevice != paNoDevice) {
            return api->defaultOutputDevice;
        }
    }
    return Pa_GetDefaultOutputDevice();
}

} // namespace

PortAudioOutput::PortAudioOutput(std::function<void()> changed) : m_changed(std::move(changed)) {
    m_thread = std::thread([this] { run(); });
}

PortAudioOutput::~PortAudioOutput() {
    {
        const std::lock_guard lock(m_quitMutex);
        m_quit = true;
    }
    m_quitChanged.notify_all();
    m_thread.join();
}

std::string PortAudioOutput::deviceName() const {
    const std::lock_guard lock(m_nameMutex);
    return m_deviceName;
}

bool PortAudioOutput::waitForQuit(std::chrono::milliseconds time) {
    std::unique_lock lock(m_quitMutex);
    return m_quitChanged.wait_for(lock, time, [this] { return m_quit; });
}

void PortAudioOutput::run() {
    while (true) {
        if (m_stream == nullptr) {
            openStream();
        } else if (streamLost()) {
            // A playing under way is over: the window hears why.
            m_losses.fetch_add(1, std::memory_order_acq_rel);
            m_changePending.store(true, std::memory_order_release);
            closeStream();
        }
        if (m_changePending.exchange(false, std::memory_order_acq_rel)) {
            m_changed();
        }
        if (waitForQuit(m_stream != nullptr ? watchInterval : searchInterval)) {
            break;
        }
    }
    closeStream();
}

bool PortAudioOutput::openStream() {
    if (Pa_Initialize() != paNoError) {
        return false;
    }
    m_started = true;
    const PaDeviceIndex device = defaultOutputDevice();
    const PaDeviceInfo* info = device != paNoDevice ? Pa_GetDeviceInfo(device) : nullptr;
    const int rate = info != nullptr ? static_cast<int>(std::lround(info->defaultSampleRate)) : 0;
    if (info == nullptr || rate <= 0 || info->maxOutputChannels <= 0) {
        closeStream();
        return false;
    }
    // The same samples on the first two channels: a device that takes no mono plays the clicks
    // in the middle.
    m_channels = std::min(info->maxOutputChannels, 2);
    PaStreamParameters parameters{};
    parameters.device = device;
    parameters.channelCount = m_channels;
    parameters.sampleFormat = paFloat32;
    parameters.suggestedLatency = latencyMilliseconds / 1000.0;
#ifdef _WIN32
    // Shared mode runs the callback's thread under the multimedia class scheduler as "Audio";
    // "Pro Audio" is its highest class, the one WASAPI's exclusive mode gets.
    PaWasapiStreamInfo wasapi{};
    const PaHostApiInfo* api = Pa_GetHostApiInfo(info->hostApi);
    if (api != nullptr && api->type == paWASAPI) {
        wasapi.size = sizeof(wasapi);
        wasapi.hostApiType = paWASAPI;
        wasapi.version = 1;
        wasapi.flags = paWinWasapiThreadPriority;
        wasapi.threadPriority = eThreadPriorityProAudio;
        parameters.hostApiSpecificStreamInfo = &wasapi;
    }
#endif

    m_renderer.openTimeline(rate);
    m_timeline = tactora::BufferTimeline(rate);
    m_clocks.publish(tactora::FrameClock(rate));
    m_streamEnded.store(false, std::memory_order_release);
    if (Pa_OpenStream(&m_stream, nullptr, &parameters, rate, paFramesPerBufferUnspecified,
                      paClipOff | paDitherOff, &PortAudioOutput::callback, this) != paNoError) {
        m_stream = nullptr;
        closeStream();
        return false;
    }
    Pa_SetStreamFinishedCallback(m_stream, &PortAudioOutput::finished);
    const PaStreamInfo* stream = Pa_GetStreamInfo(m_stream);
    m_streamLatencyNanos = stream != nullptr ? std::llround(stream->outputLatency * 1e9) : 0;
    if (Pa_StartStream(m_stream) != paNoError) {
        closeStream();
        return false;
    }
    {
        const std::lock_guard lock(m_nameMutex);
        m_deviceName = info->name;
    }
    m_sampleRate.store(rate, std::memory_order_release);
    setOutput(ClickOutput::Ready);
    return true;
}

// At once, without playing out what is queued: the window closed, or the device is gone.
void PortAudioOutput::closeStream() {
    if (m_stream != nullptr) {
        Pa_AbortStream(m_stream);
        Pa_CloseStream(m_stream);
        m_stream = nullptr;
    }
    if (m_started) {
        Pa_Terminate();
        m_started = false;
    }
    m_sampleRate.store(0, std::memory_order_release);
    {
        const std::lock_guard lock(m_nameMutex);
        m_deviceName.clear();
    }
    setOutput(ClickOutput::Searching);
}

// The stream runs until the output closes it: stopped by itself, it met an error of its host
// (a device that went away among them).
bool PortAudioOutput::streamLost() const {
    return m_streamEnded.load(std::memory_order_acquire) || Pa_IsStreamActive(m_stream) != 1;
}

void PortAudioOutput::setOutput(ClickOutput output) {
    if (m_output.exchange(output, std::memory_order_acq_rel) != output) {
        m_changePending.store(true, std::memory_order_release);
    }
}

int PortAudioOutput::callback(const void* /*input*/, void* output, unsigned long frames,
                              const PaStreamCallbackTimeInfo* time, PaStreamCallbackFlags flags, void* self) {
    static_cast<PortAudioOutput*>(self)->fill(static_cast<float*>(output), frames, time, flags);
    return paContinue;
}

void PortAudioOutput::finished(void* self) {
    static_cast<PortAudioOutput*>(self)->m_streamEnded.store(true, std::memory_order_release);
}

// The audio callback: no allocation, no lock.
void PortAudioOutput::fill(float* out, unsigned long frames, const PaStreamCallbackTimeInfo* time,
                           PaStreamCallbackFlags flags) {
    // When the buffer's first frame reaches the device, on the readers' clock; a host that does
    // not say is taken at the stream's latency.
    const std::int64_t now = hostNanosNow();
    std::int64_t dac = now + m_streamLatencyNanos;
    if (time != nullptr && time->outputBufferDacTime > 0.0 && time->currentTime > 0.0) {
        dac = now + std::llround((time->outputBufferDacTime - time->currentTime) * 1e9);
    }
    const std::int64_t first =
        m_timeline.place(dac, static_cast<std::int64_t>(frames), (flags & paOutputUnderflow) != 0);

    const bool wasRendering = m_renderer.isRendering();
    const auto channels = static_cast<std::size_t>(m_channels);
    for (std::size_t done = 0; done < frames;) {
        const std::size_t piece = std::min<std::size_t>(frames - done, m_mono.size());
        m_renderer.render(first + static_cast<std::int64_t>(done), std::span(m_mono.data(), piece));
        for (std::size_t i = 0; i < piece; ++i) {
            std::fill_n(out + (done + i) * channels, channels, m_mono[i]);
        }
        done += piece;
    }
    if (wasRendering && !m_renderer.isRendering()) {
        m_changePending.store(true, std::memory_order_release);
    }
    m_clocks.publish(m_timeline.clock());
}

std::optional<double> PortAudioOutput::heardFrame() {
    m_clocks.take(m_readersClock);
    if (!m_readersClock.valid()) {
        return std::nullopt;
    }
    return m_readersClock.frameAt(hostNanosNow());
}
