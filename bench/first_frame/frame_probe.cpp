// Preloaded (LD_PRELOAD) into a Qt Widgets program, unchanged, to time its start-up: once the
// first top-level window has been painted and its frame has reached the X server, the probe
// writes the monotonic clock in nanoseconds to file descriptor 3 and ends the process.
// With FIRST_FRAME_HOLD set it stops the process instead (SIGSTOP), so that the frame it
// timed can be photographed before anything else is drawn, and compared with the settled
// window after SIGCONT.
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QStyleHints>
#include <QWidget>

#include <xcb/xcb.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <unistd.h>

namespace {

constexpr int reportFd = 3;

class FirstFrameWatch final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!watched->isWidgetType())
            return false;
        if (m_hold && !m_steadyCursor) {
            // A blinking text cursor would make two pictures of one settled window differ.
            m_steadyCursor = true;
            QGuiApplication::styleHints()->setCursorFlashTime(0);
        }
        if (!m_painted && event->type() == QEvent::Paint && static_cast<QWidget*>(watched)->isWindow()) {
            m_painted = true;
            // The window's paint event comes first in the pass that paints all its
            // children and then sends the whole frame; a queued call runs after that pass.
            QMetaObject::invokeMethod(this, &FirstFrameWatch::report, Qt::QueuedConnection);
        }
        return false;
    }

private:
    void report() {
        // A round trip: the server has drawn every request sent before it, the frame included.
        auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        if (x11 == nullptr)
            _exit(3);
        xcb_connection_t* connection = x11->connection();
        std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));

        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        char line[32];
        const int length = std::snprintf(line, sizeof line, "%lld\n",
                                         static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
        const bool written = write(reportFd, line, static_cast<std::size_t>(length)) == length;
        if (m_hold) {
            std::raise(SIGSTOP);
            return;
        }
        _exit(written ? 0 : 4);
    }

    const bool m_hold = qEnvironmentVariableIsSet("FIRST_FRAME_HOLD");
    bool m_steadyCursor = false;
    bool m_painted = false;
};

void watchFirstFrame() {
    QCoreApplication::instance()->installEventFilter(new FirstFrameWatch(QCoreApplication::instance()));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(watchFirstFrame)
