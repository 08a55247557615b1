#include "audio/click_file_writer.h"

#include "audio/pcm_samples.h"

#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>
#include <cstdio>

namespace {

// libsndfile writes through these into the file beside the path.
QSaveFile& fileOf(void* data) {
    return *static_cast<QSaveFile*>(data);
}

sf_count_t fileLength(void* data) {
    return fileOf(data).size();
}

sf_count_t seekFile(sf_count_t offset, int whence, void* data) {
    QSaveFile& file = fileOf(data);
    const qint64 base = whence == SEEK_CUR ? file.pos() : whence == SEEK_END ? file.size() : 0;
    return file.seek(base + offset) ? file.pos() : -1;
}

// Nothing is read back while writing; the file is open for writing only.
sf_count_t readFile(void* /*ptr*/, sf_count_t /*count*/, void* /*data*/) {
    return 0;
}

sf_count_t writeFile(const void* ptr, sf_count_t count, void* data) {
    return std::max<qint64>(fileOf(data).write(static_cast<const char*>(ptr), count), 0);
}

sf_count_t fileTell(void* data) {
    return fileOf(data).pos();
}

struct FileFormat {
    int sndfileFormat;
    int bits; // 0 for floats
};

FileFormat fileFormat(ClickFileFormat format) {
    switch (format) {
    case ClickFileFormat::Wav16:
        return {SF_FORMAT_WAV | SF_FORMAT_PCM_16, 16};
    case ClickFileFormat::Wav24:
        return {SF_FORMAT_WAV | SF_FORMAT_PCM_24, 24};
    case ClickFileFormat::WavFloat32:
        return {SF_FORMAT_WAV | SF_FORMAT_FLOAT, 0};
    case ClickFileFormat::Flac16:
        return {SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 16};
    case ClickFileFormat::Flac24:
        return {SF_FORMAT_FLAC | SF_FORMAT_PCM_24, 24};
    }
    return {0, 0};
}

} // namespace

ClickFileWriter::ClickFileWriter(const QString& path, ClickFileFormat format, int sampleRate) {
    openFile(path);
    if (m_problem.isEmpty()) {
        openSound(format, sampleRate);
    }
}

ClickFileWriter::~ClickFileWriter() {
    // The file beside the path goes with m_file, which was not committed.
    closeSound();
}

void ClickFileWriter::openFile(const QString& path) {
    const QFileInfo target(path);
    const QFileInfo folder(target.absolutePath());
    if (!folder.isDir()) {
        m_problem = QStringLiteral("The folder it should go in does not exist.");
        return;
    }
    if (target.isDir()) {
        m_problem = QStringLiteral("A folder has that name.");
        return;
    }
    m_file.setFileName(path);
    if (m_file.open(QIODevice::WriteOnly)) {
        return;
    }
    if (target.exists() && !target.isWritable()) {
        m_problem = QStringLiteral("There is no permission to replace the file there.");
    } else if (!folder.isWritable()) {
        m_problem = QStringLiteral("There is no permission to write in its folder.");
    } else {
        m_problem = QStringLiteral("It could not be created: %1.").arg(m_file.errorString());
    }
}

void ClickFileWriter::openSound(ClickFileFormat format, int sampleRate) {
    const FileFormat chosen = fileFormat(format);
    m_bits = chosen.bits;
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = 1;
    info.format = chosen.sndfileFormat;
    m_io = {fileLength, seekFile, readFile, writeFile, fileTell};
    m_sound = sf_open_virtual(&m_io, SFM_WRITE, &info, &m_file);
    if (m_sound == nullptr) {
        m_problem = QStringLiteral("The sound file could not be started: %1.")
                        .arg(QString::fromUtf8(sf_strerror(nullptr)));
    }
}

int ClickFileWriter::closeSound() {
    int result = 0;
    if (m_sound != nullptr) {
        result = sf_close(m_sound);
        m_sound = nullptr;
    }
    return result;
}

bool ClickFileWriter::write(std::span<const float> samples) {
    const auto frames = static_cast<sf_count_t>(samples.size());
    sf_count_t written = 0;
    if (m_bits == 0) {
        written = sf_writef_float(m_sound, samples.data(), frames);
    } else {
        m_pcm.resize(samples.size());
        std::transform(samples.begin(), samples.end(), m_pcm.begin(),
                       [this](float sample) { return pcmSample(sample, m_bits); });
        written = sf_writef_int(m_sound, m_pcm.data(), frames);
    }
    if (written != frames || m_file.error() != QFileDevice::NoError) {
        failWriting(QString::fromUtf8(sf_strerror(m_sound)));
        return false;
    }
    return true;
}

bool ClickFileWriter::commit() {
    // Closing writes what libsndfile still holds and completes the header.
    const int closed = closeSound();
    if (closed != 0 || m_file.error() != QFileDevice::NoError) {
        failWriting(QString::fromUtf8(sf_error_number(closed)));
        return false;
    }
    if (!m_file.commit()) {
        failWriting(QString());
        return false;
    }
    return true;
}

// Qt's word for a full disk is only "Unknown error": the disk's free space says it instead.
void ClickFileWriter::failWriting(const QString& soundProblem) {
    constexpr qint64 nearlyFull = qint64{1} << 20;
    if (m_file.error() != QFileDevice::NoError &&
        QStorageInfo(QFileInfo(m_file.fileName()).absolutePath()).bytesFree() < nearlyFull) {
        m_problem = QStringLiteral("There is no room left on the disk.");
    } else if (m_file.error() != QFileDevice::NoError || soundProblem.isEmpty()) {
        m_problem = QStringLiteral("It could not be written: %1.").arg(m_file.errorString());
    } else {
        m_problem = QStringLiteral("The sound file could not be written: %1.").arg(soundProblem);
    }
}
