// The About window's texts: title, description, information lines, version and copyright.

#include "tests/ui/info/opened_window.h"

#include "ui/info/frm_about.h"

#include "resources/identity.h"
#include "resources/string_table.h"

#include <QtTest>

#include <memory>

namespace {

QString tableString(int id) {
    const std::string_view text = tactora::resourceString(id);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

class FrmAboutTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QWidget> m_parent;
    OpenedWindow m_seen;

private slots:
    void initTestCase();
    void cleanupTestCase();

    void eachLabelHoldsItsText_data();
    void eachLabelHoldsItsText();
    void lineBreaksShowAsNewLines_data();
    void lineBreaksShowAsNewLines();
};

void FrmAboutTest::initTestCase() {
    m_parent = std::make_unique<QWidget>();
    m_parent->resize(251, 368);
    m_parent->show();
    m_seen = openAndClose(*new FrmAbout(m_parent.get()));
    QCOMPARE(static_cast<int>(m_seen.labels.size()), 7);
}

void FrmAboutTest::cleanupTestCase() {
    m_parent.reset();
}

void FrmAboutTest::eachLabelHoldsItsText_data() {
    QTest::addColumn<int>("member");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<Qt::Alignment>("alignment");

    const Qt::Alignment left = Qt::AlignLeft;
    QTest::newRow("title") << 0 << QStringLiteral("\r\nTactora 2004\r\n") << Qt::Alignment(Qt::AlignHCenter);
    QTest::newRow("description")
        << 1
        << QStringLiteral("Description: \r\n\r\n"
                          "        1. Calculate the length, cycles-per-sec or bpm of audio sound\r\n"
                          "        2. Calculate delay/attack/hold timing etc...\r\n"
                          "        3. Calculate the rate of modulation/vibration in Hz (cycles-per-sec)\r\n"
                          "        4. Convert bpm to cycles-per-sec or cycles-per-sec to bpm\r\n"
                          "        5. Additional result calculator i.e. decimal rounding\r\n")
        << left;
    // The author and licence lines are the program's own wording, shown as the string table has them.
    QTest::newRow("author") << 2 << tableString(31) << left;
    QTest::newRow("licence") << 3 << tableString(32) << left;
    QTest::newRow("systems") << 4 << QStringLiteral("OS: Win 95/98/ME/NT/2000/XP") << left;
    // The version numbers, not the "0.01" of the version block.
    QTest::newRow("version") << 5
                             << QStringLiteral("Version: ") + QString::fromUtf8(tactora::identity::version)
                             << left;
    QTest::newRow("copyright") << 6
                               << QStringLiteral("Copyright: ") +
                                      QString::fromUtf8(tactora::identity::legalCopyright)
                               << left;
}

void FrmAboutTest::eachLabelHoldsItsText() {
    QFETCH(int, member);
    QFETCH(QString, caption);
    QFETCH(Qt::Alignment, alignment);
    const SeenLabel& label = m_seen.labels.at(static_cast<std::size_t>(member));

    QCOMPARE(label.caption, caption);
    QCOMPARE(label.alignment & Qt::AlignHorizontal_Mask, alignment);
}

void FrmAboutTest::lineBreaksShowAsNewLines_data() {
    QTest::addColumn<int>("member");
    QTest::addColumn<int>("lineBreaks");

    QTest::newRow("title") << 0 << 2;
    QTest::newRow("description") << 1 << 7;
    QTest::newRow("version") << 5 << 0;
}

void FrmAboutTest::lineBreaksShowAsNewLines() {
    QFETCH(int, member);
    QFETCH(int, lineBreaks);
    const SeenLabel& label = m_seen.labels.at(static_cast<std::size_t>(member));

    QVERIFY(!label.shownText.contains(u'\r'));
    QCOMPARE(label.shownText.count(u'\n'), lineBreaks);
    QCOMPARE(label.caption.count(QStringLiteral("\r\n")), lineBreaks);
    // Every break starts a line, the one after the last text too; long lines may wrap.
    QVERIFY2(label.geometry.height() >= (lineBreaks + 1) * label.oneLineHeight,
             qPrintable(QString::number(label.geometry.height())));
}

QTEST_MAIN(FrmAboutTest)
#include "frm_about_test.moc"
