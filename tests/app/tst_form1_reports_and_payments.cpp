// Report ranges and the payment breakdown for dates typed into the real
// window, read from its fields.
#include "form_harness.h"

using namespace tokivane;
using namespace tokivane::harness;

class TestForm1ReportsAndPayments : public QObject {
    Q_OBJECT

  private slots:
    void showsReportRangesAndCollectionPeriods_data();
    void showsReportRangesAndCollectionPeriods();
};

void TestForm1ReportsAndPayments::showsReportRangesAndCollectionPeriods_data() {
    QTest::addColumn<QString>("processing");
    QTest::addColumn<QString>("record");
    QTest::addColumn<Captions>("expected");

    QTest::newRow("report ranges of Friday 24/05/10")
        << "24/05/10"
        << "24/05/06"
        << Captions{{"Label29", "24/05/10"}, {"Label30", "24/05/10"}, {"Label31", "24/05/06"},
                    {"Label32", "24/05/10"}, {"Label33", "24/05/01"}, {"Label34", "24/05/10"},
                    {"Label35", "23/12/01"}, {"Label36", "24/05/10"}, {"Label53", "No"},
                    {"Label54", "Yes"},      {"Label55", "Yes"},      {"Label56", "Yes"}};
    QTest::newRow("collection before the 20th closing") << "26/12/07"
                                                        << "26/12/07"
                                                        << Captions{{"Label60", "26/12/20"},
                                                                    {"Label61", "26/10/21"},
                                                                    {"Label62", "26/11/20"},
                                                                    {"Label63", "24/11/21"},
                                                                    {"Label64", "25/11/20"}};
    QTest::newRow("collection after the 20th closing") << "26/12/25"
                                                       << "26/12/25"
                                                       << Captions{{"Label60", "26/12/20"},
                                                                   {"Label61", "26/11/21"},
                                                                   {"Label62", "26/12/20"},
                                                                   {"Label63", "24/11/21"},
                                                                   {"Label64", "25/11/20"}};
}

void TestForm1ReportsAndPayments::showsReportRangesAndCollectionPeriods() {
    QFETCH(QString, processing);
    QFETCH(QString, record);
    QFETCH(Captions, expected);

    ShownForm shown;
    QVERIFY(shown.show());
    QWidget& form = *shown.form;
    typeAndEnter(text1(form), processing);
    typeAndEnter(text2(form), record);
    QCOMPARE(click(executeButton(form)).size(), 0);

    const Captions all = captions(form);
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        QCOMPARE(it.key() + u'=' + all.value(it.key()), it.key() + u'=' + it.value());
}

QTEST_MAIN(TestForm1ReportsAndPayments)
#include "tst_form1_reports_and_payments.moc"
