// Exports an hour of click track, as "Export…" would: 120 beats per minute, 4 beats a bar, 8
// clicks a beat, 48 kHz, in each format offered, into a scratch folder.
// Prints for each the wall time, the processor time and the file's size.
//
//   export_hour
#include "audio/click_export.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <ctime>

int main() {
    const QTemporaryDir folder;
    for (const auto& [name, format] :
         {std::pair{"FLAC 24-bit", ClickFileFormat::Flac24},
          std::pair{"FLAC 16-bit", ClickFileFormat::Flac16}, std::pair{"WAV 24-bit", ClickFileFormat::Wav24},
          std::pair{"WAV 16-bit", ClickFileFormat::Wav16},
          std::pair{"WAV 32-bit float", ClickFileFormat::WavFloat32}}) {
        ClickExport request{{}, 1800, 48000, format, folder.filePath(QString::fromLatin1(name))};
        request.settings.plan.subdivisions = 8;
        const auto wallStart = std::chrono::steady_clock::now();
        const std::clock_t processorStart = std::clock();
        const ClickExportOutcome outcome = exportClickTrack(request, {});
        const double processor = static_cast<double>(std::clock() - processorStart) / CLOCKS_PER_SEC;
        const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - wallStart;
        if (outcome.result != ClickExportOutcome::Result::Written) {
            std::fprintf(stderr, "%s: not written: %s\n", name, qPrintable(outcome.problem));
            return 1;
        }
        std::printf("%s: wall %.2f s, processor %.2f s, %lld bytes\n", name, wall.count(), processor,
                    static_cast<long long>(QFileInfo(request.path).size()));
    }
    return 0;
}
