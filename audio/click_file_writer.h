#pragma once

#include "audio/click_player.h"

#include <QSaveFile>
#include <QString>

#include <sndfile.h>

#include <cstdint>
#include <span>
#include <vector>

// A mono sound file being written beside its path, renamed into place by commit(): until then
// the path keeps whatever it held, and a writer destroyed uncommitted leaves no file behind.
class ClickFileWriter {
public:
    ClickFileWriter(const QString& path, ClickFileFormat format, int sampleRate);
    ClickFileWriter(const ClickFileWriter&) = delete;
    ClickFileWriter& operator=(const ClickFileWriter&) = delete;
    ~ClickFileWriter();

    // Empty while all is well; otherwise why the file cannot be written, in words for the user.
    const QString& problem() const { return m_problem; }
    // False, with the problem said, when the samples could not be written.
    bool write(std::span<const float> samples);
    bool commit();

private:
    void openFile(const QString& path);
    void openSound(ClickFileFormat format, int sampleRate);
    int closeSound();
    void failWriting(const QString& soundProblem);

    QSaveFile m_file;
    SF_VIRTUAL_IO m_io{};
    SNDFILE* m_sound = nullptr;
    int m_bits = 0; // of a PCM format; 0 for floats
    std::vector<std::int32_t> m_pcm;
    QString m_problem;
};
