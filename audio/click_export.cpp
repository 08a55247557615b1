#include "audio/click_export.h"

#include "audio/click_file_writer.h"
#include "core/click_track.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

// The rates sound files are commonly played at, and libsndfile's FLAC takes.
constexpr int lowestRate = 8000;
constexpr int highestRate = 384000;
// A WAV file counts its bytes in 32 bits; the header takes a little of them.
constexpr std::int64_t wavDataBytes = (std::int64_t{1} << 32) - (std::int64_t{1} << 20);
// FLAC counts its frames in 36 bits.
constexpr std::int64_t flacFrames = (std::int64_t{1} << 36) - 1;
// Rendered and written at once: about 0.7 s at 48 kHz, so that a cancel is taken soon.
constexpr std::int64_t chunkFrames = 32768;

std::int64_t bytesPerFrame(ClickFileFormat format) {
    switch (format) {
    case ClickFileFormat::Wav16:
    case ClickFileFormat::Flac16:
        return 2;
    case ClickFileFormat::Wav24:
    case ClickFileFormat::Flac24:
        return 3;
    case ClickFileFormat::WavFloat32:
        return 4;
    }
    return 4;
}

bool fitsTheFormat(ClickFileFormat format, std::int64_t frames) {
    if (format == ClickFileFormat::Flac16 || format == ClickFileFormat::Flac24) {
        return frames <= flacFrames;
    }
    return frames <= wavDataBytes / bytesPerFrame(format);
}

ClickExportOutcome failed(const QString& problem) {
    return {ClickExportOutcome::Result::Failed, problem};
}

// The track set up as a start of the metronome sets it; empty when it refuses the settings.
QString setUp(tactora::ClickTrack& track, const ClickSettings& settings) {
    if (!track.setTempo(settings.beatsPerMinute)) {
        return QStringLiteral("The tempo cannot be played at this sample rate.");
    }
    if (!track.setBeatsPerBar(settings.beatsPerBar)) {
        return QStringLiteral("The bar length cannot be played.");
    }
    if (!track.setPlan(settings.plan)) {
        return QStringLiteral("The practice settings cannot be played at this tempo and sample rate.");
    }
    track.setVolume(settings.volume);
    track.restart();
    return {};
}

} // namespace

ClickExportOutcome exportClickTrack(const ClickExport& request, const std::function<bool(double)>& progress) {
    if (request.sampleRate < lowestRate || request.sampleRate > highestRate) {
        return failed(QStringLiteral("The sample rate must lie between %1 and %2 Hz.")
                          .arg(lowestRate)
                          .arg(highestRate));
    }
    if (request.bars < 1) {
        return failed(QStringLiteral("The track needs at least one bar."));
    }
    tactora::ClickTrack track(request.sampleRate);
    if (const QString problem = setUp(track, request.settings); !problem.isEmpty()) {
        return failed(problem);
    }
    const std::int64_t total = track.barFrame(std::int64_t{request.settings.plan.countInBars} + request.bars);
    if (!fitsTheFormat(request.format, total)) {
        return failed(QStringLiteral("The track is too long for this kind of file; a FLAC file holds more."));
    }

    ClickFileWriter writer(request.path, request.format, request.sampleRate);
    if (!writer.problem().isEmpty()) {
        return failed(writer.problem());
    }
    const auto cancelled = [&progress](double done) { return progress && !progress(done); };
    std::vector<float> chunk(static_cast<std::size_t>(std::min(chunkFrames, total)));
    for (std::int64_t done = 0; done < total;) {
        if (cancelled(static_cast<double>(done) / static_cast<double>(total))) {
            return {ClickExportOutcome::Result::Cancelled, {}};
        }
        const auto frames = static_cast<std::size_t>(std::min(chunkFrames, total - done));
        const std::span<float> part(chunk.data(), frames);
        track.render(part);
        if (!writer.write(part)) {
            return failed(writer.problem());
        }
        done += static_cast<std::int64_t>(frames);
    }
    // The last word before the file takes its place.
    if (cancelled(1.0)) {
        return {ClickExportOutcome::Result::Cancelled, {}};
    }
    if (!writer.commit()) {
        return failed(writer.problem());
    }
    return {ClickExportOutcome::Result::Written, {}};
}
