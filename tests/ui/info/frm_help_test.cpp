// The Help window's fourteen lines: the usage text and the key table, blanks and all.

#include "tests/ui/info/opened_window.h"

#include "ui/info/frm_help.h"

#include <QFontMetrics>
#include <QtTest>

#include <memory>

namespace {

// The first column, from `fromX` on, with a dark (text) pixel in the rows of `area`; -1 if
// there is none.
int firstInkColumn(const QImage& picture, const QRect& area, int fromX) {
    for (int x = fromX; x <= area.right(); ++x) {
        for (int y = area.top(); y <= area.bottom(); ++y) {
            if (qGray(picture.pixel(x, y)) < 64) {
                return x;
            }
        }
    }
    return -1;
}

} // namespace

class FrmHelpTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QWidget> m_parent;
    FrmHelp* m_window = nullptr;
    OpenedWindow m_seen;

private slots:
    void initTestCase();
    void cleanupTestCase();

    void showsExactlyFourteenLines();
    void eachLineShowsItsStringUnchanged_data();
    void eachLineShowsItsStringUnchanged();
    void blankLinesTakeAFullLine_data();
    void blankLinesTakeAFullLine();
    void keyTableKeepsItsBlanksOnScreen_data();
    void keyTableKeepsItsBlanksOnScreen();
};

void FrmHelpTest::initTestCase() {
    m_parent = std::make_unique<QWidget>();
    m_parent->resize(251, 368);
    m_parent->show();
    m_window = new FrmHelp(m_parent.get());
    m_seen = openAndClose(*m_window);
}

void FrmHelpTest::cleanupTestCase() {
    m_parent.reset();
}

void FrmHelpTest::showsExactlyFourteenLines() {
    QCOMPARE(m_seen.infoLabelCount, 14);
    QCOMPARE(static_cast<int>(m_seen.labels.size()), 14);
}

void FrmHelpTest::eachLineShowsItsStringUnchanged_data() {
    QTest::addColumn<int>("member");
    QTest::addColumn<QString>("text");

    const char* const lines[] = {
        "Select the type of calculation required, enter the values ",
        "needed and press enter to display the results.",
        " ",
        "To use the additional result calculator, press one of the following keys ",
        "needed and press enter to display the results.",
        " ",
        "                Key",
        "                -------------------------------------------------",
        "                *             Multiplication",
        "                /             Division",
        "                \\             Rounded Division",
        "                + or -       Addition/Subtraction",
        "                #            Semitone shift",
        "                .              Decimal rounding",
    };
    int member = 0;
    for (const char* line : lines) {
        QTest::addRow("Lbl(%d)", member) << member << QString::fromLatin1(line);
        ++member;
    }
}

void FrmHelpTest::eachLineShowsItsStringUnchanged() {
    QFETCH(int, member);
    QFETCH(QString, text);
    QVERIFY(member < static_cast<int>(m_seen.labels.size()));
    const SeenLabel& label = m_seen.labels[static_cast<std::size_t>(member)];

    QCOMPARE(label.caption, text);
    QCOMPARE(label.shownText, text);
    QCOMPARE(label.alignment & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
}

void FrmHelpTest::blankLinesTakeAFullLine_data() {
    QTest::addColumn<int>("member");
    QTest::newRow("Lbl(2)") << 2;
    QTest::newRow("Lbl(5)") << 5;
}

void FrmHelpTest::blankLinesTakeAFullLine() {
    QFETCH(int, member);
    QVERIFY(member < static_cast<int>(m_seen.labels.size()));
    const SeenLabel& label = m_seen.labels[static_cast<std::size_t>(member)];

    QCOMPARE(label.caption, QStringLiteral(" "));
    QVERIFY(label.oneLineHeight > 0);
    QCOMPARE(label.geometry.height(), label.oneLineHeight);
    QCOMPARE(label.geometry.height(), m_seen.labels.front().geometry.height());
}

void FrmHelpTest::keyTableKeepsItsBlanksOnScreen_data() {
    // The text up to the key, and the text up to the word after it: on screen each part
    // must start where all the blanks before it put it.
    QTest::addColumn<int>("member");
    QTest::addColumn<QString>("upToKey");
    QTest::addColumn<QString>("upToWord");

    const QString indent(16, u' ');
    QTest::newRow("Key") << 6 << indent << QString();
    QTest::newRow("*") << 8 << indent << indent + QStringLiteral("*             ");
    QTest::newRow("\\") << 10 << indent << indent + QStringLiteral("\\             ");
    QTest::newRow("+ or -") << 11 << indent << indent + QStringLiteral("+ or -       ");
    QTest::newRow("#") << 12 << indent << indent + QStringLiteral("#            ");
    QTest::newRow(".") << 13 << indent << indent + QStringLiteral(".              ");
}

void FrmHelpTest::keyTableKeepsItsBlanksOnScreen() {
    QFETCH(int, member);
    QFETCH(QString, upToKey);
    QFETCH(QString, upToWord);
    QVERIFY(member < static_cast<int>(m_seen.labels.size()));
    const QRect area = m_seen.labels[static_cast<std::size_t>(member)].geometry;
    const QFontMetrics metrics(m_window->font());

    // Glyphs may start a pixel before their advance; collapsed blanks would move a word a
    // whole blank or more to the left.
    const int keyAt = area.left() + metrics.horizontalAdvance(upToKey);
    const int keyInk = firstInkColumn(m_seen.picture, area, area.left());
    QVERIFY2(keyInk >= keyAt - 1,
             qPrintable(QStringLiteral("key at %1, ink from %2").arg(keyAt).arg(keyInk)));
    if (!upToWord.isEmpty()) {
        const QString key = upToWord.trimmed();
        const int wordAt = area.left() + metrics.horizontalAdvance(upToWord);
        const int afterKey = area.left() + metrics.horizontalAdvance(upToKey + key) + 1;
        const int wordInk = firstInkColumn(m_seen.picture, area, afterKey);
        QVERIFY2(wordInk >= wordAt - 1,
                 qPrintable(QStringLiteral("word at %1, ink from %2").arg(wordAt).arg(wordInk)));
    }
}

QTEST_MAIN(FrmHelpTest)
#include "frm_help_test.moc"
