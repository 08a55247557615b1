#include "ui/tools/click_export_job.h"

#include <QProgressDialog>
#include <QThread>

#include <atomic>
#include <utility>

namespace {

constexpr int progressSteps = 1000;
// How often the dialog shows how far the export has got: the thread only notes it.
constexpr int progressMilliseconds = 50;

} // namespace

// What the export thread and the window share: the thread only writes the progress and the
// outcome, the window only the cancel.
struct ClickExportJob::Shared {
    std::atomic<bool> cancel{false};
    std::atomic<int> done{0};
    ClickExportOutcome outcome;
};

ClickExportJob::ClickExportJob(ClickPlayerFactory& factory, ClickExport request, QWidget& window)
    : QObject(&window), m_shared(std::make_shared<Shared>()) {
    m_progress = new QProgressDialog(QStringLiteral("Writing the click track to %1").arg(request.path),
                                     QStringLiteral("Cancel"), 0, progressSteps, &window);
    m_progress->setObjectName(QStringLiteral("dlgExportProgress"));
    m_progress->setWindowTitle(QStringLiteral("Export"));
    m_progress->setWindowModality(Qt::WindowModal);
    m_progress->setMinimumDuration(0);
    m_progress->setAutoClose(false);
    m_progress->setAutoReset(false);
    connect(m_progress, &QProgressDialog::canceled, this, [shared = m_shared] { shared->cancel = true; });
    m_progress->setValue(0);

    m_thread = QThread::create([&factory, request = std::move(request), shared = m_shared] {
        shared->outcome = factory.exportClickTrack(request, [&shared](double fraction) {
            shared->done = static_cast<int>(fraction * progressSteps);
            return !shared->cancel.load();
        });
    });
    connect(m_thread, &QThread::finished, this, &ClickExportJob::end);
    m_poll.setInterval(progressMilliseconds);
    connect(&m_poll, &QTimer::timeout, this, &ClickExportJob::showProgress);
    m_poll.start();
    m_thread->start();
}

ClickExportJob::~ClickExportJob() {
    m_shared->cancel = true;
    m_thread->wait();
    delete m_thread;
    delete m_progress;
}

void ClickExportJob::showProgress() {
    if (m_progress) {
        m_progress->setValue(m_shared->done.load());
    }
}

void ClickExportJob::end() {
    m_poll.stop();
    if (m_progress) {
        m_progress->hide();
    }
    emit finished(m_shared->outcome);
}
