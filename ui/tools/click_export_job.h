#pragma once

#include "audio/click_player.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <memory>

class QProgressDialog;
class QThread;
class QWidget;

// Writes a click track on a thread of its own, so that the window stays responsive, with a
// progress dialog over the window whose Cancel ends it. Destroying the job cancels the export
// and waits for its thread.
class ClickExportJob final : public QObject {
    Q_OBJECT

public:
    ClickExportJob(ClickPlayerFactory& factory, ClickExport request, QWidget& window);
    ~ClickExportJob() override;

signals:
    // On the window's thread, once the export is over, however it ended.
    void finished(const ClickExportOutcome& outcome);

private:
    struct Shared;
    void showProgress();
    void end();

    std::shared_ptr<Shared> m_shared;
    QThread* m_thread = nullptr;
    QPointer<QProgressDialog> m_progress;
    QTimer m_poll;
};
