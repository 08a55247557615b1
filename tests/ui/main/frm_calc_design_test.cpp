#include "tests/ui/support/modal_watchdog.h"
#include "tests/ui/support/scripted_dialogs.h"
#include "ui/main/frm_calc.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QWindow>
#include <QtTest>

#include <algorithm>
#include <cstdlib>
#include <memory>

// The main window's fixed layout: where every control sits, how the focus travels,
// what the background looks like.
class FrmCalcDesignTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void controlsSitWhereDesigned_data();
    void controlsSitWhereDesigned();
    void windowHasFixedClientAreaAndNoMaximise();
    void tabVisitsSelectorsAndEntriesInDesignOrder();
    void menuBarHoldsDesignedCommands();
    void backgroundShadesFromDarkGreyToGreyLeftToRight();
    void boxesAreFlatOnTheirOwnBackground_data();
    void boxesAreFlatOnTheirOwnBackground();
    void selectorListIsBlackOnWhite();
    void bordersAreEvenOnEverySide_data();
    void bordersAreEvenOnEverySide();
    void rulesSpanClientAreaAfterShowAndRestore();
    void rulesAreSolidGreyOverTheGradient();
    void resultBoxAcceptsNoTypedCharacter();
    void opensCentredWithItsTopLeftOnTheScreen();
    void commandOpensItsWindowAgainWithoutIcon_data();
    void commandOpensItsWindowAgainWithoutIcon();

private:
    QImage clientImage() const;

    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<FrmCalc> m_window;
    std::unique_ptr<ModalWatchdog> m_watchdog;
};

void FrmCalcDesignTest::init() {
    QLocale::setDefault(QLocale::c());
    m_watchdog = std::make_unique<ModalWatchdog>();
    m_dialogs = std::make_unique<ScriptedDialogs>();
    m_window = std::make_unique<FrmCalc>(*m_dialogs);
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void FrmCalcDesignTest::cleanup() {
    m_window.reset();
    QVERIFY(m_watchdog->closedDialogs.isEmpty());
    QVERIFY(m_dialogs->messages.isEmpty());
}

QImage FrmCalcDesignTest::clientImage() const {
    return m_window->centralWidget()->grab().toImage();
}

void FrmCalcDesignTest::controlsSitWhereDesigned_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry"); // logical pixels; a label's size is its caption's
    QTest::addColumn<int>("focusPolicy");
    QTest::addColumn<QString>("text");

    const int none = Qt::NoFocus;
    const int click = Qt::ClickFocus;
    const int tabAndClick = Qt::StrongFocus;
    QTest::newRow("lbltitle(0)") << "lbltitle(0)" << QRect(72, 8, 0, 0) << none << "Enter the calculations";
    QTest::newRow("lblret(4)") << "lblret(4)" << QRect(40, 40, 0, 0) << none << "Calculate results for";
    QTest::newRow("CmbValType") << "CmbValType" << QRect(40, 56, 169, 21) << tabAndClick
                                << "Beats per minute";
    QTest::newRow("TxtValue(0)") << "TxtValue(0)" << QRect(40, 80, 169, 21) << tabAndClick << "100";
    QTest::newRow("lblcalc(1)") << "lblcalc(1)" << QRect(40, 104, 0, 0) << none << "Number of bars";
    QTest::newRow("lblcalc(2)") << "lblcalc(2)" << QRect(128, 104, 0, 0) << none << "Beats per bar";
    QTest::newRow("TxtValue(1)") << "TxtValue(1)" << QRect(40, 120, 81, 21) << tabAndClick << "1";
    QTest::newRow("TxtValue(2)") << "TxtValue(2)" << QRect(128, 120, 81, 21) << tabAndClick << "4";
    QTest::newRow("lbltitle(1)") << "lbltitle(1)" << QRect(96, 152, 0, 0) << none << "The results";
    QTest::newRow("lblret(3)") << "lblret(3)" << QRect(40, 184, 0, 0) << none << "Display results in";
    QTest::newRow("CmbResType") << "CmbResType" << QRect(40, 200, 169, 21) << tabAndClick << "Seconds";
    QTest::newRow("lblret(0)") << "lblret(0)" << QRect(40, 224, 0, 0) << none << "Bar(s) length";
    QTest::newRow("TxtResult(0)") << "TxtResult(0)" << QRect(40, 240, 169, 21) << click << "2.4";
    QTest::newRow("lblret(1)") << "lblret(1)" << QRect(40, 264, 0, 0) << none << "One beat length";
    QTest::newRow("TxtResult(1)") << "TxtResult(1)" << QRect(40, 280, 169, 21) << click << "0.6";
    QTest::newRow("lblret(2)") << "lblret(2)" << QRect(40, 304, 0, 0) << none << "Cycles per second";
    QTest::newRow("TxtResult(2)") << "TxtResult(2)" << QRect(40, 320, 169, 21) << click << "1.66666666666667";
    QTest::newRow("separator(0)") << "separator(0)" << QRect(0, 24, 251, 9) << none << "";
    QTest::newRow("separator(1)") << "separator(1)" << QRect(0, 168, 251, 9) << none << "";
}

void FrmCalcDesignTest::controlsSitWhereDesigned() {
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(int, focusPolicy);
    QFETCH(QString, text);

    auto* control = m_window->findChild<QWidget*>(name);
    QVERIFY(control);
    QVERIFY(control->isVisible());
    QCOMPARE(control->pos(), geometry.topLeft());
    if (!geometry.size().isEmpty())
        QCOMPARE(control->size(), geometry.size());
    QCOMPARE(int(control->focusPolicy()), focusPolicy);
    QCOMPARE(control->font().pointSizeF(), 8.25);
    QVERIFY(!control->font().bold() && !control->font().italic());

    if (auto* label = qobject_cast<QLabel*>(control)) {
        QCOMPARE(label->text(), text);
        QCOMPARE(label->size(), label->sizeHint()); // sized to its caption
        QCOMPARE(label->palette().color(label->foregroundRole()), QColor(Qt::white));
        // Transparent: beside its caption the label shows the background gradient, which is
        // the same in every row of a column.
        const QImage image = clientImage();
        QCOMPARE(image.pixel(label->x(), label->y()), image.pixel(label->x(), 2));
    } else if (auto* box = qobject_cast<QLineEdit*>(control)) {
        QCOMPARE(box->text(), text);
        QCOMPARE(box->isReadOnly(), name.startsWith(QLatin1String("TxtResult")));
        QVERIFY(!box->accessibleName().isEmpty());
        // The pointer of selectable text, whether the box is read-only or not.
        QCOMPARE(box->cursor().shape(), Qt::IBeamCursor);
    } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
        QCOMPARE(combo->currentText(), text);
        QVERIFY(combo->isEditable());
        QCOMPARE(combo->maxVisibleItems(), name == QLatin1String("CmbValType") ? 3 : 4);
        // The text part shows the window's font too, whatever styles the selector.
        QCOMPARE(combo->lineEdit()->font().pointSizeF(), 8.25);
        QVERIFY(!combo->accessibleName().isEmpty());
    }
}

void FrmCalcDesignTest::windowHasFixedClientAreaAndNoMaximise() {
    QCOMPARE(m_window->centralWidget()->size(), QSize(251, 368));
    QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
    const Qt::WindowFlags flags = m_window->windowFlags();
    QVERIFY(flags & Qt::WindowMinimizeButtonHint);
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(!m_window->windowIcon().isNull());
    // The same picture at every size the desktop asks for, each pixel a whole square.
    const QIcon icon = m_window->windowIcon();
    QCOMPARE(icon.availableSizes(), (QList<QSize>{{16, 16}, {32, 32}, {48, 48}, {64, 64}}));
    const QImage small = icon.pixmap(16, 16).toImage();
    const QImage large = icon.pixmap(64, 64).toImage();
    for (const QPoint at : {QPoint(0, 0), QPoint(7, 9), QPoint(15, 15)}) {
        QCOMPARE(large.pixel(at * 4 + QPoint(3, 3)), small.pixel(at));
    }
}

void FrmCalcDesignTest::tabVisitsSelectorsAndEntriesInDesignOrder() {
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("CmbValType"));
    const QStringList expected{"TxtValue(0)", "TxtValue(1)", "TxtValue(2)", "CmbResType", "CmbValType"};
    QStringList visited;
    for (int i = 0; i < expected.size(); ++i) {
        QTest::keyClick(m_window->windowHandle(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, expected);
}

void FrmCalcDesignTest::menuBarHoldsDesignedCommands() {
    QStringList visible;
    for (QAction* action : m_window->menuBar()->actions()) {
        if (action->isVisible())
            visible << action->text();
    }
    QCOMPARE(visible, QStringList({"About", "Help"}));

    auto* calculator = m_window->findChild<QMenu*>(QStringLiteral("MnuCalculator"));
    QVERIFY(calculator);
    QStringList items;
    for (QAction* action : calculator->actions())
        items << (action->isSeparator() ? QStringLiteral("-") : action->text());
    QCOMPARE(items,
             QStringList({"Multiplication (*)", "Division (/)", "Rounded Division (\\)", "-",
                          "Addition/Subtraction (+/-)", "-", "Semitone shift (#)", "Decimal Rounding (.)"}));
    for (QAction* action : m_window->findChildren<QAction*>()) {
        QVERIFY2(!action->text().contains(QLatin1Char('&')), qPrintable(action->text()));
        QVERIFY(action->shortcut().isEmpty());
    }
}

void FrmCalcDesignTest::backgroundShadesFromDarkGreyToGreyLeftToRight() {
    const QImage image = clientImage();
    const int last = image.width() - 1;
    // Rows 2 and 360 cross no control: they show the bare background.
    for (int y : {2, 360}) {
        QCOMPARE(image.pixelColor(0, y), QColor(64, 64, 64));
        const QColor right = image.pixelColor(last, y);
        QVERIFY2(qAbs(right.red() - 128) <= 1 && right.red() == right.green() &&
                     right.green() == right.blue(),
                 qPrintable(right.name()));
    }
    for (int x = 0; x < image.width(); ++x)
        QCOMPARE(image.pixel(x, 360), image.pixel(x, 2));
    QVERIFY(image.pixelColor(last / 2, 2).red() > 64 && image.pixelColor(last / 2, 2).red() < 128);
}

void FrmCalcDesignTest::boxesAreFlatOnTheirOwnBackground_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QColor>("border");
    QTest::addColumn<QColor>("background"); // invalid: the gradient shows through

    const QColor silver(0xC0, 0xC0, 0xC0);
    QTest::newRow("entry") << "TxtValue(0)" << QColor(Qt::black) << QColor(Qt::white);
    QTest::newRow("result") << "TxtResult(2)" << silver << QColor();
    QTest::newRow("selector") << "CmbResType" << silver << QColor();
}

void FrmCalcDesignTest::boxesAreFlatOnTheirOwnBackground() {
    QFETCH(QString, name);
    QFETCH(QColor, border);
    QFETCH(QColor, background);

    const auto* box = m_window->findChild<QWidget*>(name);
    QVERIFY(box);
    const QImage image = clientImage();
    const QRect area = box->geometry();
    for (const QPoint edge : {area.topLeft(), area.bottomRight(), QPoint(area.left(), area.center().y())}) {
        QCOMPARE(image.pixelColor(edge), border);
    }
    // Inside the border, above the text and left of a selector's arrow.
    const QPoint inside(area.left() + area.width() * 3 / 4, area.top() + 2);
    QCOMPARE(image.pixelColor(inside), background.isValid() ? background : image.pixelColor(inside.x(), 2));
}

void FrmCalcDesignTest::bordersAreEvenOnEverySide_data() {
    boxesAreFlatOnTheirOwnBackground_data();
}

// At a fractional scale too (the test runs again at 1.5): as many device pixels of border on
// each side, counted inwards from the box's edges in the window's own picture.
void FrmCalcDesignTest::bordersAreEvenOnEverySide() {
    QFETCH(QString, name);
    QFETCH(QColor, border);

    const auto* box = m_window->findChild<QWidget*>(name);
    QVERIFY(box);
    const QImage image = m_window->grab().toImage();
    const qreal ratio = image.devicePixelRatio();
    const QRect logical(box->mapTo(m_window.get(), QPoint(0, 0)), box->size());
    const QRect area(qRound(logical.left() * ratio), qRound(logical.top() * ratio),
                     qRound((logical.right() + 1) * ratio) - qRound(logical.left() * ratio),
                     qRound((logical.bottom() + 1) * ratio) - qRound(logical.top() * ratio));
    auto run = [&](QPoint from, QPoint step) {
        int pixels = 0;
        for (QPoint at = from; image.valid(at) && image.pixelColor(at) == border; at += step) {
            ++pixels;
        }
        return pixels;
    };
    const int middleX = area.left() + area.width() / 3;
    const int middleY = area.center().y();
    const QList<int> sides{run({middleX, area.top()}, {0, 1}), run({middleX, area.bottom()}, {0, -1}),
                           run({area.left(), middleY}, {1, 0})};
    QCOMPARE(sides, QList<int>(3, qMax(1, int(ratio))));
}

void FrmCalcDesignTest::selectorListIsBlackOnWhite() {
    auto* selector = m_window->findChild<QComboBox*>(QStringLiteral("CmbValType"));
    const QPoint arrow(selector->width() - 8, selector->height() / 2);
    QTest::mouseClick(m_window->windowHandle(), Qt::LeftButton, {}, selector->mapTo(m_window.get(), arrow));
    QAbstractItemView* list = selector->view();
    QTRY_VERIFY(list->isVisible());

    // The second item is not the current one, so it is not highlighted.
    const QRect item = list->visualRect(list->model()->index(1, 0));
    const QImage image = list->viewport()->grab(item).toImage();
    QCOMPARE(image.pixelColor(image.width() - 2, image.height() / 2), QColor(Qt::white));
    int darkest = 255;
    for (int x = 0; x < image.width(); ++x) {
        darkest = std::min(darkest, qGray(image.pixel(x, image.height() / 2)));
    }
    QVERIFY2(darkest < 64, "the item's text is dark");
    selector->hidePopup();
}

void FrmCalcDesignTest::rulesSpanClientAreaAfterShowAndRestore() {
    const int width = m_window->centralWidget()->width();
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 2; ++i) {
            auto* rule = m_window->findChild<QFrame*>(QStringLiteral("separator(%1)").arg(i));
            QCOMPARE(rule->x(), 0);
            QCOMPARE(rule->width(), width);
        }
        m_window->showMinimized();
        m_window->showNormal();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }
}

void FrmCalcDesignTest::rulesAreSolidGreyOverTheGradient() {
    const QImage image = clientImage();
    for (int i = 0; i < 2; ++i) {
        const auto* rule = m_window->findChild<QFrame*>(QStringLiteral("separator(%1)").arg(i));
        const int y = rule->geometry().center().y();
        for (int x = 0; x < image.width(); ++x)
            QCOMPARE(image.pixelColor(x, y), QColor(128, 128, 128));
    }
}

void FrmCalcDesignTest::resultBoxAcceptsNoTypedCharacter() {
    auto* box = m_window->findChild<QLineEdit*>(QStringLiteral("TxtResult(0)"));
    QWindow* handle = m_window->windowHandle();
    QTest::mouseClick(handle, Qt::LeftButton, {}, box->mapTo(m_window.get(), QPoint(5, 5)));
    QVERIFY(box->hasFocus());
    for (const Qt::Key key : {Qt::Key_5, Qt::Key_A, Qt::Key_Backspace, Qt::Key_Delete})
        QTest::keyClick(handle, key);
    QCOMPARE(box->text(), QStringLiteral("2.4"));
}

// Also run on small screens and at fractional scales (see CMakeLists.txt), where the
// window with its frame and menu bar may be larger than the screen.
void FrmCalcDesignTest::opensCentredWithItsTopLeftOnTheScreen() {
    const QRect area = m_window->screen()->availableGeometry();
    const QRect frame = m_window->frameGeometry();
    QString seen;
    QDebug(&seen) << frame << "on" << area;
    // On each axis: centred where it fits, otherwise from the screen's edge, so that the
    // caption and the menu bar stay within reach.
    const auto placed = [](int start, int length, int areaStart, int areaLength) {
        if (length > areaLength)
            return start == areaStart;
        const int offCentre = 2 * (start - areaStart) + length - areaLength;
        return start >= areaStart && start + length <= areaStart + areaLength && std::abs(offCentre) <= 2;
    };
    QVERIFY2(placed(frame.x(), frame.width(), area.x(), area.width()), qPrintable(seen));
    QVERIFY2(placed(frame.y(), frame.height(), area.y(), area.height()), qPrintable(seen));
}

void FrmCalcDesignTest::commandOpensItsWindowAgainWithoutIcon_data() {
    QTest::addColumn<QString>("menuCommand"); // empty: the operator key * in a result box
    QTest::addColumn<QString>("shown");       // the window's name and caption

    QTest::newRow("About") << "MnuAbout" << QStringLiteral("FrmAbout: About");
    QTest::newRow("Help") << "MnuHelp" << QStringLiteral("FrmHelp: Help");
    QTest::newRow("result window") << "" << QStringLiteral("FrmResult: Multiplication result");
}

// The main window has an icon; the windows it opens must not take it over.
void FrmCalcDesignTest::commandOpensItsWindowAgainWithoutIcon() {
    QFETCH(QString, menuCommand);
    QFETCH(QString, shown);
    QWindow* handle = m_window->windowHandle();

    for (int opening = 1; opening <= 2; ++opening) {
        // The window is modal: a timer looks at it and closes it from inside its own loop.
        QString seen;
        QTimer watcher;
        connect(&watcher, &QTimer::timeout, this, [&] {
            if (QWidget* opened = QApplication::activeModalWidget()) {
                watcher.stop();
                seen = opened->objectName() + ": " + opened->windowTitle() +
                       (opened->windowIcon().isNull() ? "" : " with an icon");
                opened->close();
            }
        });
        watcher.start(10);
        if (menuCommand.isEmpty()) {
            m_dialogs->queueAnswers({QStringLiteral("2")});
            auto* box = m_window->findChild<QLineEdit*>(QStringLiteral("TxtResult(1)"));
            QTest::mouseClick(handle, Qt::LeftButton, {}, box->mapTo(m_window.get(), QPoint(5, 5)));
            QTest::keyClick(handle, '*');
        } else {
            QMenuBar* bar = m_window->menuBar();
            const QRect item = bar->actionGeometry(m_window->findChild<QAction*>(menuCommand));
            QTest::mouseClick(handle, Qt::LeftButton, {}, bar->mapTo(m_window.get(), item.center()));
        }
        QCOMPARE(seen, shown);
        QVERIFY(!QApplication::activeModalWidget());
    }
}

QTEST_MAIN(FrmCalcDesignTest)
#include "frm_calc_design_test.moc"
