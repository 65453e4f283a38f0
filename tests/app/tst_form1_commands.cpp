// Execute, Clear and End through the real window: the input checks and their
// messages, the fields a run fills, what Clear empties and keeps, and closing.
#include "calculators/messages.h"
#include "form_harness.h"

#include <QMenuBar>

using namespace tokivane;
using namespace tokivane::harness;

namespace {

// The day's usual run: the record box gets 2/29 with Enter, then Execute with
// the "20日" selected at start.
const Captions kTypicalRun{
    {"Label24", "25/11/20"}, {"Label41", "25/09/21"}, {"Label42", "25/10/20"},
    {"Label21", "25/10/21"}, {"Label22", "25/11/15"}, {"Label40", "No"},
    {"Label51", "No"},       {"Label26", "25/11/14"}, {"Label27", "24/12/01"},
    {"Label28", "25/11/14"}, {"Label38", "24/12/01"}, {"Label39", "25/11/15"},
    {"Label57", "No"},       {"Label52", "Yes"},      {"Label58", "Yes"},
    {"Label29", "25/11/15"}, {"Label30", "25/11/15"}, {"Label31", "25/11/10"},
    {"Label32", "25/11/15"}, {"Label33", "25/11/01"}, {"Label34", "25/11/15"},
    {"Label35", "24/12/01"}, {"Label36", "25/11/15"}, {"Label53", "No"},
    {"Label54", "No"},       {"Label55", "No"},       {"Label56", "Yes"},
    {"Label60", "25/11/20"}, {"Label61", "25/09/21"}, {"Label62", "25/10/20"},
    {"Label63", "23/11/21"}, {"Label64", "24/11/20"},
};

// What Clear leaves showing: the judgements and two of the ranges.
const QStringList kKeptByClear{"Label40", "Label51", "Label57", "Label52", "Label58",
                               "Label53", "Label54", "Label55", "Label56", "Label41",
                               "Label42", "Label38", "Label39"};

void runTypicalDay(QWidget& form) {
    typeAndEnter(text2(form), QStringLiteral("2/29"));
    QTest::mouseClick(executeButton(form), Qt::LeftButton);
}

QString selectedEntries(QListWidget* list) {
    QStringList texts;
    for (const QListWidgetItem* item : list->selectedItems())
        texts.append(item->text());
    return texts.join(u',');
}

// Every label's text, fixed captions included: all the window shows in words.
QStringList everyLabel(QWidget& form) {
    QStringList texts;
    for (const QLabel* label : form.findChildren<QLabel*>())
        texts.append(label->objectName() + u'=' + label->text());
    return texts;
}

class CloseCounter final : public QObject {
  public:
    int closes = 0;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Close)
            ++closes;
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

class TestForm1Commands : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void typicalRunFillsEveryField();
    void refusedInputShowsOneMessageAndChangesNothing_data();
    void refusedInputShowsOneMessageAndChangesNothing();
    void acceptedInputFillsEveryField_data();
    void acceptedInputFillsEveryField();
    void secondExecuteRecomputesEveryField_data();
    void secondExecuteRecomputesEveryField();
    void clearEmptiesItsNineteenFields();
    void clearBeforeAnyRunChangesNothing();
    void endClosesTheWindowAtOnce_data();
    void endClosesTheWindowAtOnce();

  private:
    std::unique_ptr<ShownForm> window_;
    Form1& form() { return *window_->form; }
};

void TestForm1Commands::init() {
    window_ = std::make_unique<ShownForm>();
    QVERIFY(window_->show());
}

void TestForm1Commands::cleanup() {
    window_.reset();
}

void TestForm1Commands::typicalRunFillsEveryField() {
    typeAndEnter(text2(form()), QStringLiteral("2/29"));
    QCOMPARE(text2(form())->text(), QStringLiteral("25/02/28"));
    QCOMPARE(text1(form())->text(), kTodayText);

    const auto shown =
        messagesDuring([&] { QTest::mouseClick(executeButton(form()), Qt::LeftButton); });
    QCOMPARE(shown.size(), 0);
    QCOMPARE(captions(form()), kTypicalRun);
    // Execute reads the boxes and the list but never writes them.
    QCOMPARE(text1(form())->text(), kTodayText);
    QCOMPARE(text2(form())->text(), QStringLiteral("25/02/28"));
    QCOMPARE(selectedEntries(list1(form())), u"20日"_qs);
}

void TestForm1Commands::refusedInputShowsOneMessageAndChangesNothing_data() {
    QTest::addColumn<QString>("processing");
    QTest::addColumn<QString>("record");
    QTest::addColumn<bool>("selected");
    QTest::addColumn<QString>("message");

    const QString enterDate = messages::kEnterProcessingDate.toString();
    const QString enterRecord = messages::kEnterRecordDate.toString();
    const QString select = messages::kSelectClosingDay.toString();
    const QString badProcessing = messages::kInvalidProcessingDate.toString();
    const QString tooEarly = messages::kProcessingDateTooEarly.toString();
    const QString badRecord = messages::kInvalidRecordDate.toString();

    // The first failing check speaks, in this order: processing date given,
    // record date given, closing day selected, processing date real, not
    // before 02/01/01, record date real.
    QTest::newRow("both boxes empty") << ""
                                      << "" << true << enterDate;
    QTest::newRow("nothing given at all") << ""
                                          << "" << false << enterDate;
    QTest::newRow("record date empty, nothing selected") << "25/11/15"
                                                         << "" << false << enterRecord;
    QTest::newRow("record date empty, processing date no date") << "abc"
                                                                << "" << true << enterRecord;
    QTest::newRow("nothing selected") << "25/11/15"
                                      << "25/11/15" << false << select;
    QTest::newRow("nothing selected, neither box a date") << "abc"
                                                          << "abc" << false << select;
    QTest::newRow("processing date letters") << "abc"
                                             << "25/11/15" << true << badProcessing;
    QTest::newRow("processing date single blank") << " "
                                                  << "25/11/15" << true << badProcessing;
    QTest::newRow("processing date 30 February") << "26/02/30"
                                                 << "25/11/15" << true << badProcessing;
    QTest::newRow("processing date month 13") << "26/13/01"
                                              << "25/11/15" << true << badProcessing;
    QTest::newRow("processing date after a blank") << " 26/01/05"
                                                   << "25/11/15" << true << badProcessing;
    QTest::newRow("processing date four-digit year") << "2026/01/05"
                                                     << "25/11/15" << true << badProcessing;
    QTest::newRow("processing date day 00 left by completion")
        << "25/05/00"
        << "25/11/15" << true << badProcessing;
    QTest::newRow("neither box a date") << "abc"
                                        << "abc" << true << badProcessing;
    QTest::newRow("processing date last day of 2001") << "01/12/31"
                                                      << "25/11/15" << true << tooEarly;
    QTest::newRow("processing date first day of 2000") << "00/01/01"
                                                       << "25/11/15" << true << tooEarly;
    QTest::newRow("processing date too early, record date no date") << "01/12/31"
                                                                    << "abc" << true << tooEarly;
    QTest::newRow("record date letters") << "25/11/15"
                                         << "abc" << true << badRecord;
    QTest::newRow("record date single blank") << "25/11/15"
                                              << " " << true << badRecord;
    QTest::newRow("record date 29 February of a common year") << "25/11/15"
                                                              << "25/02/29" << true << badRecord;
}

void TestForm1Commands::refusedInputShowsOneMessageAndChangesNothing() {
    QFETCH(QString, processing);
    QFETCH(QString, record);
    QFETCH(bool, selected);
    QFETCH(QString, message);

    // Fill the fields first, so that a field the refused click touched shows.
    runTypicalDay(form());
    const Captions before = captions(form());
    QCOMPARE(before, kTypicalRun);

    text1(form())->setText(processing);
    text2(form())->setText(record);
    if (!selected)
        selectEntry(list1(form()), -1);
    QCOMPARE(list1(form())->selectedItems().isEmpty(), !selected);

    const auto shown =
        messagesDuring([&] { QTest::mouseClick(executeButton(form()), Qt::LeftButton); });
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().text, message);
    QCOMPARE(shown.first().title, QStringLiteral("Tokivane"));
    QCOMPARE(shown.first().standardButtons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(shown.first().buttonCount, 1);
    QCOMPARE(shown.first().icon, QMessageBox::NoIcon);

    QCOMPARE(captions(form()), before);
    QCOMPARE(text1(form())->text(), processing);
    QCOMPARE(text2(form())->text(), record);
}

void TestForm1Commands::acceptedInputFillsEveryField_data() {
    QTest::addColumn<QString>("processing");
    QTest::addColumn<QString>("record");

    QTest::newRow("earliest processing date") << "02/01/01"
                                              << "02/01/01";
    QTest::newRow("latest processing date") << "99/12/31"
                                            << "00/01/01";
}

void TestForm1Commands::acceptedInputFillsEveryField() {
    QFETCH(QString, processing);
    QFETCH(QString, record);

    typeInto(text1(form()), processing);
    typeInto(text2(form()), record);
    const auto shown =
        messagesDuring([&] { QTest::mouseClick(executeButton(form()), Qt::LeftButton); });
    QCOMPARE(shown.size(), 0);
    const Captions after = captions(form());
    for (auto it = after.cbegin(); it != after.cend(); ++it)
        QVERIFY2(!it.value().isEmpty(), qPrintable(it.key()));
    QCOMPARE(after.value("Label22"), processing);
}

void TestForm1Commands::secondExecuteRecomputesEveryField_data() {
    QTest::addColumn<QString>("processing");
    QTest::addColumn<QString>("record");
    QTest::addColumn<bool>("enter");
    QTest::addColumn<int>("entry");
    QTest::addColumn<Captions>("fields");

    QTest::newRow("month end, a Monday in March")
        << "26/3/2"
        << "26/3/1" << true << 4
        << Captions{
               {"Label24", "26/03/31"}, {"Label41", "26/02/01"}, {"Label42", "26/02/28"},
               {"Label21", "26/03/01"}, {"Label22", "26/03/02"}, {"Label40", "No"},
               {"Label51", "Yes"},      {"Label26", "26/03/01"}, {"Label27", "25/12/01"},
               {"Label28", "26/03/01"}, {"Label38", "25/12/01"}, {"Label39", "26/03/02"},
               {"Label57", "Yes"},      {"Label52", "Yes"},      {"Label58", "Yes"},
               {"Label29", "26/03/02"}, {"Label30", "26/03/02"}, {"Label31", "26/03/02"},
               {"Label32", "26/03/02"}, {"Label33", "26/03/01"}, {"Label34", "26/03/02"},
               {"Label35", "25/12/01"}, {"Label36", "26/03/02"}, {"Label53", "No"},
               {"Label54", "No"},       {"Label55", "Yes"},      {"Label56", "Yes"},
               {"Label60", "26/03/31"}, {"Label61", "26/02/01"}, {"Label62", "26/02/28"},
               {"Label63", "24/12/01"}, {"Label64", "25/11/30"},
           };
    // Without Enter the processing date keeps its short form wherever it is
    // shown itself; every computed date is still a full date text.
    QTest::newRow("blank closing, across the year, typed without Enter")
        << "26/1/5"
        << "25/12/15" << false << 5
        << Captions{
               {"Label24", "26/01/31"}, {"Label41", "25/12/01"}, {"Label42", "25/12/31"},
               {"Label21", "26/01/01"}, {"Label22", "26/1/5"},   {"Label40", "Yes"},
               {"Label51", "No"},       {"Label26", "26/01/04"}, {"Label27", "25/12/01"},
               {"Label28", "26/01/04"}, {"Label38", "25/12/01"}, {"Label39", "26/1/5"},
               {"Label57", "No"},       {"Label52", "Yes"},      {"Label58", "Yes"},
               {"Label29", "26/1/5"},   {"Label30", "26/1/5"},   {"Label31", "26/01/05"},
               {"Label32", "26/1/5"},   {"Label33", "26/01/01"}, {"Label34", "26/1/5"},
               {"Label35", "25/12/01"}, {"Label36", "26/1/5"},   {"Label53", "No"},
               {"Label54", "No"},       {"Label55", "No"},       {"Label56", "Yes"},
               {"Label60", "26/01/31"}, {"Label61", "25/12/01"}, {"Label62", "25/12/31"},
               {"Label63", "24/12/01"}, {"Label64", "25/11/30"},
           };
}

void TestForm1Commands::secondExecuteRecomputesEveryField() {
    QFETCH(QString, processing);
    QFETCH(QString, record);
    QFETCH(bool, enter);
    QFETCH(int, entry);
    QFETCH(Captions, fields);

    runTypicalDay(form());
    QCOMPARE(captions(form()), kTypicalRun);

    if (enter) {
        typeAndEnter(text1(form()), processing);
        typeAndEnter(text2(form()), record);
    } else {
        typeInto(text1(form()), processing);
        typeInto(text2(form()), record);
    }
    selectEntry(list1(form()), entry);
    QCOMPARE(list1(form())->currentRow(), entry);
    // A field the second run skipped would keep this mark.
    for (const OutputField which : kAllOutputFields)
        field(form(), which)->setText(QStringLiteral("?"));

    const auto shown =
        messagesDuring([&] { QTest::mouseClick(executeButton(form()), Qt::LeftButton); });
    QCOMPARE(shown.size(), 0);
    QCOMPARE(captions(form()), fields);
}

void TestForm1Commands::clearEmptiesItsNineteenFields() {
    runTypicalDay(form());
    // Clear must not put the start-up selection back.
    selectEntry(list1(form()), 4);
    const QString processing = text1(form())->text();
    const QString record = text2(form())->text();

    const auto shown =
        messagesDuring([&] { QTest::mouseClick(clearButton(form()), Qt::LeftButton); });
    QCOMPARE(shown.size(), 0);

    const Captions after = captions(form());
    QCOMPARE(after.size(), 32);
    int emptied = 0;
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        if (kKeptByClear.contains(it.key())) {
            QCOMPARE(it.value(), kTypicalRun.value(it.key()));
        } else {
            QVERIFY2(it.value().isEmpty(), qPrintable(it.key() + " still shows " + it.value()));
            ++emptied;
        }
    }
    QCOMPARE(emptied, 19);
    QCOMPARE(text1(form())->text(), processing);
    QCOMPARE(text2(form())->text(), record);
    QCOMPARE(selectedEntries(list1(form())), u"月末"_qs);
}

void TestForm1Commands::clearBeforeAnyRunChangesNothing() {
    typeInto(text2(form()), QStringLiteral("3"));
    const QStringList labels = everyLabel(form());
    const QString processing = text1(form())->text();

    const auto shown =
        messagesDuring([&] { QTest::mouseClick(clearButton(form()), Qt::LeftButton); });
    QCOMPARE(shown.size(), 0);
    QCOMPARE(everyLabel(form()), labels);
    QCOMPARE(text1(form())->text(), processing);
    QCOMPARE(text2(form())->text(), QStringLiteral("3"));
    QCOMPARE(selectedEntries(list1(form())), u"20日"_qs);
}

void TestForm1Commands::endClosesTheWindowAtOnce_data() {
    QTest::addColumn<bool>("byMouse");

    QTest::newRow("clicked in the menu bar") << true;
    QTest::newRow("action triggered") << false;
}

void TestForm1Commands::endClosesTheWindowAtOnce() {
    QFETCH(bool, byMouse);

    runTypicalDay(form());
    CloseCounter counter;
    form().installEventFilter(&counter);
    auto* end = form().findChild<QAction*>(QStringLiteral("mnu_END"));
    QVERIFY(end);

    QMenuBar* bar = form().menuBar();
    const auto shown = messagesDuring([&] {
        if (byMouse)
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(end).center());
        else
            end->trigger();
    });
    // No question asked, and the window is gone.
    QCOMPARE(shown.size(), 0);
    QCOMPARE(counter.closes, 1);
    QVERIFY(!form().isVisible());
    form().removeEventFilter(&counter);
}

QTEST_MAIN(TestForm1Commands)
#include "tst_form1_commands.moc"
