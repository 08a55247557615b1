#include "audio/pulse_output.h"

#include "audio/real_time_thread.h"

#include <pulse/pulseaudio.h>

#include <cmath>
#include <ctime>
#include <span>
#include <utility>

namespace {

constexpr pa_usec_t reconnectMicroseconds = 500000;
constexpr std::size_t frameBytes = sizeof(float); // mono float samples

// The clock the server's timing reports are in, and the lamps' and other players' too.
std::int64_t hostNanosNow() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

std::uint32_t bytesFor(int sampleRate, int milliseconds) {
    return static_cast<std::uint32_t>(static_cast<std::int64_t>(sampleRate) * milliseconds / 1000) *
           frameBytes;
}

} // namespace

PulseOutput::PulseOutput(std::function<void()> changed)
    : m_changed(std::move(changed)), m_loop(pa_mainloop_new()) {
    m_thread = std::thread([this] { run(); });
}

PulseOutput::~PulseOutput() {
    m_quit.store(true, std::memory_order_release);
    pa_mainloop_wakeup(m_loop);
    m_thread.join();
    pa_mainloop_free(m_loop);
}

std::string PulseOutput::deviceName() const {
    const std::lock_guard lock(m_nameMutex);
    return m_deviceName;
}

void PulseOutput::run() {
    m_realTime.store(makeThisThreadRealTime(), std::memory_order_release);
    connectContext();
    while (!m_quit.load(std::memory_order_acquire)) {
        if (pa_mainloop_iterate(m_loop, 1, nullptr) < 0) {
            break;
        }
        if (m_changePending.exchange(false, std::memory_order_acq_rel)) {
            m_changed();
        }
    }
    dropStream();
    dropContext();
    if (m_reconnect != nullptr) {
        pa_mainloop_get_api(m_loop)->time_free(m_reconnect);
        m_reconnect = nullptr;
    }
}

void PulseOutput::connectContext() {
    m_context = pa_context_new(pa_mainloop_get_api(m_loop), "Tactora 2004");
    pa_context_set_state_callback(m_context, &PulseOutput::contextStateChanged, this);
    // Never starts a server of its own: the desktop's is the one to use, or none.
    if (pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
        dropContext();
        scheduleReconnect();
    }
}

void PulseOutput::dropContext() {
    if (m_context == nullptr) {
        return;
    }
    pa_context_set_state_callback(m_context, nullptr, nullptr);
    pa_context_set_subscribe_callback(m_context, nullptr, nullptr);
    pa_context_disconnect(m_context);
    pa_context_unref(m_context);
    m_context = nullptr;
}

void PulseOutput::scheduleReconnect() {
    if (m_reconnect != nullptr || m_quit.load(std::memory_order_acquire)) {
        return;
    }
    timeval when{};
    pa_gettimeofday(&when);
    pa_timeval_add(&when, reconnectMicroseconds);
    m_reconnect = pa_mainloop_get_api(m_loop)->time_new(pa_mainloop_get_api(m_loop), &when,
                                                        &PulseOutput::reconnectDue, this);
}

void PulseOutput::reconnectDue(pa_mainloop_api* api, pa_time_event* event, const timeval* /*when*/,
                               void* self) {
    auto* output = static_cast<PulseOutput*>(self);
    api->time_free(event);
    output->m_reconnect = nullptr;
    output->connectContext();
}

void PulseOutput::contextStateChanged(pa_context* context, void* self) {
    auto* output = static_cast<PulseOutput*>(self);
    switch (pa_context_get_state(context)) {
    case PA_CONTEXT_READY:
        pa_context_set_subscribe_callback(context, &PulseOutput::contextEvent, self);
        pa_operation_unref(pa_context_subscribe(
            context,
            static_cast<pa_subscription_mask_t>(PA_SUBSCRIPTION_MASK_SINK | PA_SUBSCRIPTION_MASK_SERVER),
            nullptr, nullptr));
        output->findDefaultSink();
        break;
    case PA_CONTEXT_FAILED:
    case PA_CONTEXT_TERMINATED:
        output->loseOutput(ClickPlayerEnd::ServerLost);
        output->dropStream();
        output->dropContext();
        output->scheduleReconnect();
        break;
    default:
        break;
    }
}

// A device that appears or a default that changes is taken at once when there is no stream.
void PulseOutput::contextEvent(pa_context* /*context*/, pa_subscription_event_type_t /*event*/,
                               std::uint32_t /*index*/, void* self) {
    auto* output = static_cast<PulseOutput*>(self);
    if (output->m_stream == nullptr) {
        output->findDefaultSink();
    }
}

void PulseOutput::findDefaultSink() {
    if (m_lookingForSink || m_context == nullptr) {
        return;
    }
    m_lookingForSink = true;
    pa_operation_unref(pa_context_get_server_info(m_context, &PulseOutput::serverInfo, this));
}

void PulseOutput::serverInfo(pa_context* context, const pa_server_info* info, void* self) {
    auto* output = static_cast<PulseOutput*>(self);
    if (info == nullptr || info->default_sink_name == nullptr || *info->default_sink_name == '\0') {
        output->m_lookingForSink = false;
        return;
    }
    pa_operation_unref(
        pa_context_get_sink_info_by_name(context, info->default_sink_name, &PulseOutput::sinkInfo, self));
}

void PulseOutput::sinkInfo(pa_context* /*context*/, const pa_sink_info* info, int last, void* self) {
    auto* output = static_cast<PulseOutput*>(self);
    if (last != 0 || info == nullptr) {
        output->m_lookingForSink = false;
        return;
    }
    if (output->m_stream == nullptr) {
        output->openStream(*info);
    }
}

void PulseOutput::openStream(const pa_sink_info& sink) {
    const int rate = static_cast<int>(sink.sample_spec.rate);
    const pa_sample_spec format{PA_SAMPLE_FLOAT32NE, sink.sample_spec.rate, 1};
    pa_proplist* properties = pa_proplist_new();
    pa_proplist_sets(properties, PA_PROP_MEDIA_ROLE, "music");
    m_stream = pa_stream_new_with_proplist(m_context, "Metronome", &format, nullptr, properties);
    pa_proplist_free(properties);
    if (m_stream == nullptr) {
        return;
    }
    {
        const std::lock_guard lock(m_nameMutex);
        m_deviceName = sink.description != nullptr ? sink.description : sink.name;
    }
    m_sampleRate.store(rate, std::memory_order_release);
    m_renderer.openTimeline(rate);
    m_written = 0;
    m_clock = tactora::FrameClock(rate);
    m_clocks.publish(m_clock);

    // No prebuffering: the stream never stops for want of data, so late frames are dropped
    // and the timeline runs on with the device.
    pa_buffer_attr buffer{};
    buffer.maxlength = static_cast<std::uint32_t>(-1);
    buffer.tlength = bytesFor(rate, latencyMilliseconds);
    buffer.prebuf = 0;
    buffer.minreq = bytesFor(rate, latencyMilliseconds / 4);
    buffer.fragsize = static_cast<std::uint32_t>(-1);
    pa_stream_set_state_callback(m_stream, &PulseOutput::streamStateChanged, this);
    pa_stream_set_write_callback(m_stream, &PulseOutput::streamWritable, this);
    pa_stream_set_suspended_callback(m_stream, &PulseOutput::streamSuspended, this);
    // On this device only: a device that goes away ends the playing rather than carrying the
    // clicks to another one the user did not choose.
    const auto flags =
        static_cast<pa_stream_flags_t>(PA_STREAM_ADJUST_LATENCY | PA_STREAM_AUTO_TIMING_UPDATE |
                                       PA_STREAM_INTERPOLATE_TIMING | PA_STREAM_DONT_MOVE);
    if (pa_stream_connect_playback(m_stream, sink.name, &buffer, flags, nullptr, nullptr) < 0) {
        dropStream();
    }
}

void PulseOutput::dropStream() {
    if (m_stream == nullptr) {
        return;
    }
    pa_stream_set_state_callback(m_stream, nullptr, nullptr);
    pa_stream_set_write_callback(m_stream, nullptr, nullptr);
    pa_stream_set_suspended_callback(m_stream, nullptr, nullptr);
    pa_stream_disconnect(m_stream);
    pa_stream_unref(m_stream);
    m_stream = nullptr;
    m_sampleRate.store(0, std::memory_order_release);
    {
        const std::lock_guard lock(m_nameMutex);
        m_deviceName.clear();
    }
    setOutput(ClickOutput::Searching);
}

void PulseOutput::streamStateChanged(pa_stream* stream, void* self) {
    auto* output = static_cast<PulseOutput*>(self);
    switch (pa_stream_get_state(stream)) {
    case PA_STREAM_READY:
        output->setOutput(pa_stream_is_suspended(stream) > 0 ? ClickOutput::Suspended : ClickOutput::Ready);
        break;
    case PA_STREAM_FAILED:
    case PA_STREAM_TERMINATED:
        // The device went away (or the server refused the stream); the default one, if there
        // is one, takes its place.
        output->loseOutput(ClickPlayerEnd::DeviceLost);
        output->dropStream();
        output->findDefaultSink();
        break;
    default:
        break;
    }
}

void PulseOutput::streamSuspended(pa_stream* stream, void* self) {
    static_cast<PulseOutput*>(self)->setOutput(pa_stream_is_suspended(stream) > 0 ? ClickOutput::Suspended
                                                                                  : ClickOutput::Ready);
}

void PulseOutput::streamWritable(pa_stream* /*stream*/, std::size_t bytes, void* self) {
    static_cast<PulseOutput*>(self)->writeFrames(bytes);
}

// The audio callback: no allocation, no lock.
void PulseOutput::writeFrames(std::size_t bytes) {
    void* data = nullptr;
    if (pa_stream_begin_write(m_stream, &data, &bytes) < 0 || data == nullptr) {
        return;
    }
    const std::size_t frames = bytes / frameBytes;
    const bool wasRendering = m_renderer.isRendering();
    m_renderer.render(m_written, std::span(static_cast<float*>(data), frames));
    pa_stream_write(m_stream, data, frames * frameBytes, nullptr, 0, PA_SEEK_RELATIVE);
    m_written += static_cast<std::int64_t>(frames);
    if (wasRendering && !m_renderer.isRendering()) {
        m_changePending.store(true, std::memory_order_release);
    }

    // The frame heard now: the server's read position less what the device still holds,
    // carried to this moment by the server's own interpolation.
    pa_usec_t heard = 0;
    if (pa_stream_get_time(m_stream, &heard) == 0) {
        const double rate = m_sampleRate.load(std::memory_order_relaxed);
        m_clock.observe(hostNanosNow(), static_cast<double>(heard) * rate / 1e6);
        m_clocks.publish(m_clock);
    }
}

std::optional<double> PulseOutput::heardFrame() {
    m_clocks.take(m_readersClock);
    if (!m_readersClock.valid()) {
        return std::nullopt;
    }
    return m_readersClock.frameAt(hostNanosNow());
}

void PulseOutput::setOutput(ClickOutput output) {
    if (m_output.exchange(output, std::memory_order_acq_rel) != output) {
        m_changePending.store(true, std::memory_order_release);
    }
}

// A playing under way when the output goes is over: the window hears why.
void PulseOutput::loseOutput(ClickPlayerEnd why) {
    if (m_stream != nullptr) {
        m_lastLoss.store(why, std::memory_order_release);
        m_losses.fetch_add(1, std::memory_order_acq_rel);
        m_changePending.store(true, std::memory_order_release);
    }
}
