#pragma once

#include "audio/audio_output.h"
#include "audio/click_player.h"
#include "audio/click_renderer.h"
#include "audio/latest_value.h"
#include "core/frame_clock.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include <pulse/pulseaudio.h>

// The metronome's output through a PulseAudio (or PipeWire) server, on a thread of its own at
// real-time priority where the system allows it.
//
// The stream is opened on the default device at the device's own rate, so nothing resamples
// the clicks, and it never waits for data (no prebuffering): when the thread is late, the
// server plays silence and its read position runs on, so the frames written late fall where
// they belong on the device's timeline and are dropped. Rendering by the frame's place on
// that timeline keeps every later click on the grid.
//
// It keeps looking for a server and a device for as long as it is open: a server that goes
// away is looked for again every half second, a device that goes away is replaced by the
// default one, if any, as soon as there is one.
class PulseOutput final : public AudioOutput {
public:
    // changed is called on the output's thread whenever the output, the device or its rate
    // changes, or a playing ends by itself; never inside the audio callback.
    explicit PulseOutput(std::function<void()> changed);
    ~PulseOutput() override;

    // What the stream asks of the server: a click is heard at most this long after it is
    // rendered.
    static constexpr int latencyMilliseconds = 20;

    ClickRenderer& renderer() override { return m_renderer; }
    ClickOutput output() const override { return m_output.load(std::memory_order_acquire); }
    std::string deviceName() const override;
    int sampleRate() const override { return m_sampleRate.load(std::memory_order_acquire); }
    // By the server's latest reports.
    std::optional<double> heardFrame() override;
    // The last loss is DeviceLost or ServerLost.
    std::uint64_t losses() const override { return m_losses.load(std::memory_order_acquire); }
    ClickPlayerEnd lastLoss() const override { return m_lastLoss.load(std::memory_order_acquire); }
    // Whether the output's thread got real-time priority.
    bool realTime() const { return m_realTime.load(std::memory_order_acquire); }

private:
    void run();
    void connectContext();
    void dropContext();
    void scheduleReconnect();
    void findDefaultSink();
    void openStream(const pa_sink_info& sink);
    void dropStream();
    void writeFrames(std::size_t bytes);
    void setOutput(ClickOutput output);
    void loseOutput(ClickPlayerEnd why);

    static void contextStateChanged(pa_context* context, void* self);
    static void contextEvent(pa_context* context, pa_subscription_event_type_t event, std::uint32_t index,
                             void* self);
    static void serverInfo(pa_context* context, const struct pa_server_info* info, void* self);
    static void sinkInfo(pa_context* context, const pa_sink_info* info, int last, void* self);
    static void streamStateChanged(pa_stream* stream, void* self);
    static void streamWritable(pa_stream* stream, std::size_t bytes, void* self);
    static void streamSuspended(pa_stream* stream, void* self);
    static void reconnectDue(pa_mainloop_api* api, pa_time_event* event, const struct timeval* when,
                             void* self);

    std::function<void()> m_changed;
    ClickRenderer m_renderer;

    std::atomic<bool> m_quit{false};
    std::atomic<bool> m_changePending{false};
    std::atomic<ClickOutput> m_output{ClickOutput::Searching};
    std::atomic<int> m_sampleRate{0};
    // Where the stream's frames are heard in host time: kept by the output's thread from the
    // server's reports, handed to the reading thread as a copy.
    tactora::FrameClock m_clock{48000};
    LatestValue<tactora::FrameClock> m_clocks{m_clock};
    tactora::FrameClock m_readersClock{48000};
    std::atomic<ClickPlayerEnd> m_lastLoss{ClickPlayerEnd::Finished};
    std::atomic<std::uint64_t> m_losses{0};
    std::atomic<bool> m_realTime{false};
    mutable std::mutex m_nameMutex; // never taken in the audio callback
    std::string m_deviceName;

    // The output thread's alone.
    pa_mainloop* m_loop = nullptr;
    pa_context* m_context = nullptr;
    pa_stream* m_stream = nullptr;
    pa_time_event* m_reconnect = nullptr;
    bool m_lookingForSink = false;
    std::int64_t m_written = 0; // timeline frames written to the stream
    std::thread m_thread;
};
