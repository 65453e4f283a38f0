// The window's font request names only installed families, in the order of
// preference, so the font search starts at a face that is there.
#include "form_font.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QTest>

using namespace tokivane;

namespace {

const QStringList kWanted{u"ＭＳ 明朝"_qs, u"MS Mincho"_qs, u"IPAMincho"_qs, u"IPAPMincho"_qs};

} // namespace

class TestFontRequest : public QObject {
    Q_OBJECT

  private slots:
    void requestStartsAtAnInstalledFamily();
    void installedFamiliesKeepTheirOrder_data();
    void installedFamiliesKeepTheirOrder();
};

void TestFontRequest::requestStartsAtAnInstalledFamily() {
    const QFont font = formFont();
    const QStringList installed = QFontDatabase::families();
    QVERIFY(!font.families().isEmpty());
    for (const QString& family : font.families())
        QVERIFY2(installed.contains(family), qPrintable(family));
    QCOMPARE(QFontInfo(font).family(), font.families().first());
}

void TestFontRequest::installedFamiliesKeepTheirOrder_data() {
    QTest::addColumn<QStringList>("installed");
    QTest::addColumn<QStringList>("requested");

    QTest::newRow("Windows Mincho stays first")
        << QStringList{u"IPAMincho"_qs, u"ＭＳ 明朝"_qs, u"Arial"_qs}
        << QStringList{u"ＭＳ 明朝"_qs, u"IPAMincho"_qs};
    QTest::newRow("absent families dropped")
        << QStringList{u"DejaVu Serif"_qs, u"IPAPMincho"_qs, u"IPAMincho"_qs}
        << QStringList{u"IPAMincho"_qs, u"IPAPMincho"_qs};
    QTest::newRow("none installed, all asked for") << QStringList{u"DejaVu Sans"_qs} << kWanted;
}

void TestFontRequest::installedFamiliesKeepTheirOrder() {
    QFETCH(QStringList, installed);
    QFETCH(QStringList, requested);
    QCOMPARE(installedFamilies(kWanted, installed), requested);
}

QTEST_MAIN(TestFontRequest)
#include "tst_font_request.moc"
