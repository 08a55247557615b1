#pragma once

#include "audio/click_player.h"
#include "audio/latest_value.h"
#include "core/click_track.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <span>

// The metronome on the audio thread: what the window asks for is taken at the start of each
// buffer without waiting for anything, and rendered into the device's timeline. Frames are
// counted on that timeline: a start plays its first beat at the first frame of the next buffer,
// and every later beat at its exact distance from it, whatever the device went through.
//
// The request functions belong to one thread (the window's), render() to another (the audio
// thread's); neither waits for the other and render() allocates nothing.
class ClickRenderer {
public:
    // The beats a playing started lately, oldest first, their frames counted from its first.
    struct RecentBeats {
        static constexpr std::size_t capacity = 32;
        std::uint64_t playing = 0;
        std::size_t count = 0;
        std::array<tactora::BeatStart, capacity> beats{};
    };

    ClickRenderer() = default;

    // The audio thread's side, between buffers (it allocates): a new output at this rate. The
    // playing under way, if any, is over; the next start plays.
    void openTimeline(int sampleRate);

    // The window's side. The settings must be playable at the renderer's rate.
    void requestStart(const ClickSettings& settings);
    void requestStop();
    void requestChange(const ClickSettings& settings);

    // The audio thread's side: the frames from timeline frame `first` on. A first frame past
    // the end of the last buffer says the device went on without us: the frames between are
    // passed over, never played late.
    void render(std::int64_t first, std::span<float> out);

    // Readable anywhere. The timeline frame of the playing's first beat, once rendered.
    std::int64_t startFrame() const { return m_startFrame.load(std::memory_order_acquire); }
    bool isRendering() const { return m_rendering.load(std::memory_order_acquire); }
    // The number of the last playing whose last bar was rendered, and the number of the latest
    // start asked for: equal once the latest playing finished by itself.
    std::uint64_t finishedPlaying() const { return m_finished.load(std::memory_order_acquire); }
    std::uint64_t latestPlaying() const { return m_request.playing; }
    // The window's side: true, with the latest beats rendered, when there are new ones.
    bool takeRecentBeats(RecentBeats& beats) { return m_recentBeats.take(beats); }

private:
    struct Request {
        std::uint64_t playing = 0; // counts the starts
        bool run = false;
        ClickSettings settings;
    };
    void apply(const ClickSettings& settings, bool fresh);
    void keepBeats(std::span<const tactora::BeatStart> started);

    // The window's own copy of what it last asked for.
    Request m_request;
    LatestValue<Request> m_requests;

    // The audio thread's.
    tactora::ClickTrack m_track{48000};
    Request m_current;
    std::atomic<std::int64_t> m_startFrame{0};
    std::atomic<bool> m_rendering{false};
    std::atomic<std::uint64_t> m_finished{0};
    RecentBeats m_recent;
    LatestValue<RecentBeats> m_recentBeats;
};
