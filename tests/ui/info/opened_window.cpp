#include "tests/ui/info/opened_window.h"

#include "ui/info/info_label.h"
#include "ui/info/label_stack_window.h"

#include <QApplication>
#include <QResizeEvent>
#include <QTest>
#include <QTimer>

std::vector<QWidget*> existingLabels(const QWidget& window) {
    std::vector<QWidget*> found;
    for (int i = 0;; ++i) {
        auto* label = window.findChild<QWidget*>(QStringLiteral("Lbl(%1)").arg(i));
        if (label == nullptr) {
            return found;
        }
        found.push_back(label);
    }
}

OpenedWindow openAndClose(LabelStackWindow& window) {
    OpenedWindow seen;
    QTimer::singleShot(0, &window, [&window, &seen] {
        seen.wasVisible = window.isVisible();
        seen.wasActiveModal = QApplication::activeModalWidget() == &window;
        seen.title = window.windowTitle();
        seen.size = window.size();
        seen.minimumSize = window.minimumSize();
        seen.maximumSize = window.maximumSize();
        seen.flags = window.windowFlags();
        seen.geometry = window.geometry();
        seen.infoLabelCount = static_cast<int>(window.findChildren<InfoLabel*>().size());
        for (QWidget* widget : existingLabels(window)) {
            auto* label = qobject_cast<InfoLabel*>(widget);
            if (label == nullptr) {
                break;
            }
            seen.labels.push_back({label->caption(), label->text(), label->geometry(), label->alignment(),
                                   label->isVisible(), label->fontMetrics().height()});
        }
        seen.picture = window.grab().toImage();

        QResizeEvent sameSize(window.size(), window.size());
        QApplication::sendEvent(&window, &sameSize);
        for (QWidget* label : existingLabels(window)) {
            seen.geometriesAfterResizeEvent.push_back(label->geometry());
        }

        QTest::keyClick(window.windowHandle(), Qt::Key_Escape);
        seen.stayedOpenAfterEscape = window.isVisible();
        window.close();
    });
    window.showModal();
    return seen;
}
