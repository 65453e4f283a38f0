// Execute, Clear and End through the real window. The calculators' tables are
// tested on the in-memory window; here the window must show what they compute
// from its inputs, refuse input with one message and no field changed, clear
// exactly its fields and close.
#include "execute.h"
#include "form_harness.h"
#include "memory_form.h"
#include "messages.h"

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

// What Clear leaves showing: the judgements and two of the ranges; the other
// 19 fields are emptied.
const QStringList kKeptByClear{"Label40", "Label51", "Label57", "Label52", "Label58",
                               "Label53", "Label54", "Label55", "Label56", "Label41",
                               "Label42", "Label38", "Label39"};

// True when the run showed no message.
[[nodiscard]] bool runTypicalDay(QWidget& form) {
    typeAndEnter(text2(form), QStringLiteral("2/29"));
    return click(executeButton(form)).isEmpty();
}

QString selectedEntries(QListWidget* list) {
    QStringList texts;
    for (const QListWidgetItem* item : list->selectedItems())
        texts.append(item->text());
    return texts.join(u',');
}

// What Execute computes from these inputs on the in-memory window.
Captions computed(const QString& processing, const QString& record, int entry) {
    MemoryForm memory(processing, record, entry);
    Execute(memory, FixedClock{kToday});
    Captions result;
    for (const OutputField which : kAllOutputFields)
        result.insert(fieldName(which), memory.caption(which));
    return result;
}

class CloseCounter final : public QObject {
  public:
    int closes = 0;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        closes += event->type() == QEvent::Close;
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

class TestForm1Commands : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        window_ = std::make_unique<ShownForm>();
        QVERIFY(window_->show());
    }
    void cleanup() { window_.reset(); }

    void typicalRunFillsEveryField();
    void refusedInputShowsOneMessageAndChangesNothing_data();
    void refusedInputShowsOneMessageAndChangesNothing();
    void secondExecuteRecomputesEveryField_data();
    void secondExecuteRecomputesEveryField();
    void clearEmptiesItsNineteenFields();
    void clearBeforeAnyRunChangesNothing();
    void endClosesTheWindowAtOnce();

  private:
    std::unique_ptr<ShownForm> window_;
    Form1& form() { return *window_->form; }
};

void TestForm1Commands::typicalRunFillsEveryField() {
    typeAndEnter(text2(form()), QStringLiteral("2/29"));
    QCOMPARE(click(executeButton(form())).size(), 0);
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

    // One row per message, each with a later check failing too, so that only
    // the first failing check may speak. The full order is tested on the
    // in-memory window.
    const auto row = [](const char* name, const char* processing, const char* record, bool selected,
                        QStringView message) {
        QTest::newRow(name) << QString::fromUtf8(processing) << QString::fromUtf8(record)
                            << selected << message.toString();
    };
    row("nothing given at all", "", "", false, messages::kEnterProcessingDate);
    row("record date empty, nothing selected", "25/11/15", "", false, messages::kEnterRecordDate);
    row("nothing selected, neither box a date", "abc", "abc", false, messages::kSelectClosingDay);
    row("processing date a single blank", " ", "abc", true, messages::kInvalidProcessingDate);
    row("processing date 30 February", "26/02/30", "25/11/15", true,
        messages::kInvalidProcessingDate);
    row("processing date too early, record date no date", "01/12/31", "abc", true,
        messages::kProcessingDateTooEarly);
    row("record date 29 February of a common year", "25/11/15", "25/02/29", true,
        messages::kInvalidRecordDate);
}

void TestForm1Commands::refusedInputShowsOneMessageAndChangesNothing() {
    QFETCH(QString, processing);
    QFETCH(QString, record);
    QFETCH(bool, selected);
    QFETCH(QString, message);

    // Fill the fields first, so that a field the refused click touched shows.
    QVERIFY(runTypicalDay(form()));
    QCOMPARE(captions(form()), kTypicalRun);
    text1(form())->setText(processing);
    text2(form())->setText(record);
    if (!selected)
        selectEntry(list1(form()), -1);
    QCOMPARE(list1(form())->selectedItems().isEmpty(), !selected);

    const auto shown = click(executeButton(form()));
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().text, message);
    QCOMPARE(shown.first().title, QStringLiteral("Tokivane"));
    QCOMPARE(shown.first().standardButtons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(shown.first().buttonCount, 1);
    QCOMPARE(shown.first().icon, QMessageBox::NoIcon);
    QCOMPARE(captions(form()), kTypicalRun);
    QCOMPARE(text1(form())->text(), processing);
    QCOMPARE(text2(form())->text(), record);
}

void TestForm1Commands::secondExecuteRecomputesEveryField_data() {
    QTest::addColumn<QString>("processing");
    QTest::addColumn<QString>("record");
    QTest::addColumn<bool>("enter");
    QTest::addColumn<int>("entry");

    const auto row = [](const char* name, const char* processing, const char* record, bool enter,
                        int entry) {
        QTest::newRow(name) << QString::fromUtf8(processing) << QString::fromUtf8(record) << enter
                            << entry;
    };
    row("month end, completed with Enter", "26/3/2", "26/3/1", true, 4);
    // The boxes keep their short form, which the fields echo.
    row("blank, across the year, without Enter", "26/1/5", "25/12/15", false, 5);
}

void TestForm1Commands::secondExecuteRecomputesEveryField() {
    QFETCH(QString, processing);
    QFETCH(QString, record);
    QFETCH(bool, enter);
    QFETCH(int, entry);

    QVERIFY(runTypicalDay(form()));
    QCOMPARE(captions(form()), kTypicalRun);
    for (QLineEdit* box : {text1(form()), text2(form())}) {
        typeInto(box, box == text1(form()) ? processing : record);
        if (enter)
            QTest::keyClick(box, Qt::Key_Return);
    }
    selectEntry(list1(form()), entry);
    QCOMPARE(list1(form())->currentRow(), entry);
    // A field the second run skipped would keep this mark.
    for (const OutputField which : kAllOutputFields)
        field(form(), which)->setText(QStringLiteral("?"));

    QCOMPARE(click(executeButton(form())).size(), 0);
    const Captions expected = computed(text1(form())->text(), text2(form())->text(), entry);
    QCOMPARE(expected.value("Label22"), text1(form())->text());
    QCOMPARE(captions(form()), expected);
}

void TestForm1Commands::clearEmptiesItsNineteenFields() {
    QVERIFY(runTypicalDay(form()));
    // Clear must not put the start-up selection back.
    selectEntry(list1(form()), 4);
    const QString processing = text1(form())->text();
    const QString record = text2(form())->text();

    QCOMPARE(click(clearButton(form())).size(), 0);
    Captions expected = kTypicalRun;
    for (auto it = expected.begin(); it != expected.end(); ++it)
        if (!kKeptByClear.contains(it.key()))
            it.value().clear();
    QCOMPARE(captions(form()), expected);
    QCOMPARE(text1(form())->text(), processing);
    QCOMPARE(text2(form())->text(), record);
    QCOMPARE(selectedEntries(list1(form())), u"月末"_qs);
}

void TestForm1Commands::clearBeforeAnyRunChangesNothing() {
    typeInto(text2(form()), QStringLiteral("3"));
    const auto everyLabel = [this] {
        QStringList texts;
        for (const QLabel* label : form().findChildren<QLabel*>())
            texts.append(label->objectName() + u'=' + label->text());
        return texts;
    };
    const QStringList before = everyLabel();

    QCOMPARE(click(clearButton(form())).size(), 0);
    QCOMPARE(everyLabel(), before);
    QCOMPARE(text1(form())->text(), kTodayText);
    QCOMPARE(text2(form())->text(), QStringLiteral("3"));
    QCOMPARE(selectedEntries(list1(form())), u"20日"_qs);
}

void TestForm1Commands::endClosesTheWindowAtOnce() {
    QVERIFY(runTypicalDay(form()));
    auto* end = control<QAction>(form(), QStringLiteral("mnu_END"));
    QMenuBar* bar = form().menuBar();
    // Closing, not just hiding, the last window is what ends the program.
    CloseCounter counter;
    form().installEventFilter(&counter);
    const auto shown = messagesDuring(
        [&] { QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(end).center()); });
    // No question asked, and the window is gone.
    QCOMPARE(shown.size(), 0);
    QCOMPARE(counter.closes, 1);
    QVERIFY(!form().isVisible());
    form().removeEventFilter(&counter);
}

QTEST_MAIN(TestForm1Commands)
#include "tst_form1_commands.moc"
