#pragma once

#include "audio/audio_output.h"
#include "audio/click_player.h"
#include "audio/click_renderer.h"
#include "audio/latest_value.h"
#include "core/buffer_timeline.h"
#include "core/frame_clock.h"

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include <portaudio.h>

// The metronome's output through PortAudio: on Windows its WASAPI host (or MME, where WASAPI
// finds no device), whose callback runs on a thread of PortAudio's own at "Pro Audio" priority.
//
// The stream is opened on the default device at the device's own rate, so that nothing
// resamples the clicks (WASAPI's shared mode plays at the rate the system mixes at), and runs,
// silent, from the moment the output opens until it closes, so a start sounds within one
// buffer. Each buffer is rendered at its place on the device's timeline (BufferTimeline): where
// the device played without us, the frames it played are passed over, so every later click
// stays on the grid.
//
// A thread of the output's own opens the stream and watches it: a stream that stopped by itself
// (its device went away, or the host ended it on an error) is a lost device. Then, and for as
// long as there is no device, it opens the default device again every half second; PortAudio
// lists devices only as it starts, so each attempt starts it afresh.
class PortAudioOutput final : public AudioOutput {
public:
    // changed is called on the output's thread whenever the output, the device or its rate
    // changes, or a playing ends by itself; never inside the audio callback.
    explicit PortAudioOutput(std::function<void()> changed);
    ~PortAudioOutput() override;

    // What the stream asks of the host: a click is heard at most this long after it is
    // rendered.
    static constexpr int latencyMilliseconds = 20;

    ClickRenderer& renderer() override { return m_renderer; }
    ClickOutput output() const override { return m_output.load(std::memory_order_acquire); }
    std::string deviceName() const override;
    int sampleRate() const override { return m_sampleRate.load(std::memory_order_acquire); }
    // By the times the host gave with the buffers.
    std::optional<double> heardFrame() override;
    std::uint64_t losses() const override { return m_losses.load(std::memory_order_acquire); }
    // There is no server to lose: every loss is the device's.
    ClickPlayerEnd lastLoss() const override { return ClickPlayerEnd::DeviceLost; }

private:
    void run();
    bool openStream();
    void closeStream();
    bool streamLost() const;
    bool waitForQuit(std::chrono::milliseconds time);
    void setOutput(ClickOutput output);
    void fill(float* out, unsigned long frames, const PaStreamCallbackTimeInfo* time,
              PaStreamCallbackFlags flags);

    static int callback(const void* input, void* output, unsigned long frames,
                        const PaStreamCallbackTimeInfo* time, PaStreamCallbackFlags flags, void* self);
    static void finished(void* self);

    std::function<void()> m_changed;
    ClickRenderer m_renderer;

    std::atomic<ClickOutput> m_output{ClickOutput::Searching};
    std::atomic<int> m_sampleRate{0};
    std::atomic<std::uint64_t> m_losses{0};
    std::atomic<bool> m_changePending{false};
    std::atomic<bool> m_streamEnded{false}; // set by PortAudio when the stream stops
    mutable std::mutex m_nameMutex;         // never taken in the audio callback
    std::string m_deviceName;

    // The callback's, set by the output's thread before the stream starts. Where the buffers'
    // frames reach the device in host time goes to the reading thread as a copy.
    tactora::BufferTimeline m_timeline{48000};
    LatestValue<tactora::FrameClock> m_clocks{tactora::FrameClock(48000)};
    tactora::FrameClock m_readersClock{48000};
    int m_channels = 1;
    std::int64_t m_streamLatencyNanos = 0;
    std::array<float, 256> m_mono{}; // a piece of the buffer, rendered once for every channel

    // The output thread's alone.
    PaStream* m_stream = nullptr;
    bool m_started = false; // PortAudio, between Pa_Initialize and Pa_Terminate

    std::mutex m_quitMutex;
    std::condition_variable m_quitChanged;
    bool m_quit = false;
    std::thread m_thread;
};
