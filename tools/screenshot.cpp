// Saves a picture of the main window as a PNG, for the README and for a
// person to look at. By default it renders the window offscreen after the
// typical run (today 25/11/15, record date 2/29 completed with Enter, Execute
// with "20日"); with --screen it takes the screen of the display it runs on
// instead, such as the virtual display that ./scripts/run opened. With
// --batch it renders 一括判定 after a column of dates was pasted into 記録日;
// with --due, 回収予定日 for a record whose due date falls on the year end;
// with --customers and --joined, the 得意先一覧 tab of a customer list and the
// sales ledger joined to it.
#include "batch_window.h"
#include "due_window.h"
#include "form1.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <cstdio>
#include <cstring>

namespace {

QPixmap sampleRun() {
    using namespace std::chrono;
    tokivane::FixedClock clock{year{2025} / November / day{15}};
    tokivane::Form1 form(clock);
    form.show();

    auto* record = form.findChild<QLineEdit*>(QStringLiteral("Text2"));
    record->setText(QStringLiteral("2/29"));
    QTest::keyClick(record, Qt::Key_Return);
    QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    return form.grab();
}

// A sales ledger as a spreadsheet holds it: customers with closing days and
// terms of their own, dates in several forms, a row left to the 回収条件
// line, an unreadable closing day and a date not yet known.
QPixmap batchAfterPaste() {
    using namespace std::chrono;
    tokivane::FixedClock clock{year{2025} / November / day{15}};
    tokivane::Form1 form(clock);
    form.show();
    QGuiApplication::clipboard()->setText(
        QStringLiteral("伝票番号\t得意先\t締日\t支払条件\t出荷日\n"
                       "A-101\t山田商店\t10日\t翌月末払い\t2025/10/20\n"
                       "A-102\t山田商店\t10日\t翌月末払い\tR7.11.10\n"
                       "B-201\t鈴木工業\t20\t20日締め翌々月10日払い 休日は翌営業日\t2025/10/21\n"
                       "C-301\t佐藤物産\t末\t月末締め翌月末払い\t2025-11-15 9:30\n"
                       "D-401\t田中商会\t\t\t11/20\n"
                       "E-501\t高橋\t35日\t翌月末\t2025/11/05\n"
                       "F-601\t伊藤\t都度\t60日サイト\t未定\n"));
    auto* record = form.findChild<QLineEdit*>(QStringLiteral("Text2"));
    record->setFocus();
    QTest::keyClick(record, Qt::Key_V, Qt::ControlModifier);
    auto* batch = form.findChild<tokivane::BatchWindow*>(QStringLiteral("BatchWindow"));
    return batch ? batch->grab() : QPixmap();
}

// A month-end customer paid at the next month's end: 25/12/31 is a bank
// closing day, so the money comes on the business day before.
QPixmap dueDates() {
    using namespace std::chrono;
    tokivane::FixedClock clock{year{2025} / November / day{15}};
    tokivane::Form1 form(clock);
    form.show();
    auto* record = form.findChild<QLineEdit*>(QStringLiteral("Text2"));
    record->setText(QStringLiteral("25/11/28"));
    for (QAction* action : form.findChildren<QAction*>())
        if (action->text() == QStringLiteral("回収予定日…"))
            action->trigger();
    auto* due = form.findChild<tokivane::DueWindow*>(QStringLiteral("DueWindow"));
    if (!due)
        return {};
    auto* phrase = due->findChild<QLineEdit*>(QStringLiteral("phraseBox"));
    phrase->setFocus();
    phrase->selectAll();
    phrase->insert(QStringLiteral("末締め翌月末払い、休日は前営業日"));
    return due->grab();
}

// A customer master as exported, 回収月 counted from 0, and a sales export
// that names its customers by code: one lost its leading zeros, one is not
// in the list, one is listed twice with different terms.
QPixmap customersTab(int tab) {
    using namespace std::chrono;
    tokivane::FixedClock clock{year{2025} / November / day{15}};
    tokivane::Form1 form(clock);
    form.show();
    for (QAction* action : form.findChildren<QAction*>())
        if (action->text() == QStringLiteral("記録日を一括判定…"))
            action->trigger();
    auto* batch = form.findChild<tokivane::BatchWindow*>(QStringLiteral("BatchWindow"));
    if (!batch)
        return {};
    batch->openText(QStringLiteral("得意先ｺｰﾄﾞ\t得意先名\t締日\t回収月\t回収日\t休日区分\n"
                                   "00123\t山田商店\t20\t1\t99\t1\n"
                                   "00200\t鈴木工業\t99\t2\t10\t2\n"
                                   "00300\t佐藤物産\t31\t0\t99\t\n"
                                   "00400\t田中商会\t15\t1\t99\t1\n"
                                   "00400\t田中商会\t20\t1\t99\t1\n"
                                   "00500\t高橋\t35\t1\t99\t\n"
                                   "00700\t伊藤\t30\t1\t99\t0\n"));
    batch->openText(QStringLiteral("伝票日付\t伝票番号\t得意先コード\t金額\n"
                                   "2025/10/05\tS-001\t00123\t12,000\n"
                                   "2025/10/25\tS-002\t123\t8,400\n"
                                   "2025/11/10\tS-003\t00200\t30,000\n"
                                   "2025/11/10\tS-004\t00300\t5,500\n"
                                   "2025/11/12\tS-005\t00999\t1,200\n"
                                   "2025/11/13\tS-006\t00400\t3,000\n"
                                   "2025/11/14\tS-007\t00700\t9,800\n"));
    batch->findChild<QTabWidget*>(QStringLiteral("batchTabs"))->setCurrentIndex(tab);
    // 集計's three tables and chart want more height than the table.
    if (tab == 2)
        batch->resize(1240, 760);
    return batch->grab();
}

QPixmap wholeScreen() {
    return QGuiApplication::primaryScreen()->grabWindow(0);
}

} // namespace

int main(int argc, char* argv[]) {
    const bool screen = argc == 3 && std::strcmp(argv[1], "--screen") == 0;
    const bool batch = argc == 3 && std::strcmp(argv[1], "--batch") == 0;
    const bool due = argc == 3 && std::strcmp(argv[1], "--due") == 0;
    const bool customers = argc == 3 && std::strcmp(argv[1], "--customers") == 0;
    const bool joined = argc == 3 && std::strcmp(argv[1], "--joined") == 0;
    const bool totals = argc == 3 && std::strcmp(argv[1], "--totals") == 0;
    if (argc != 2 && !screen && !batch && !due && !customers && !joined && !totals) {
        std::fprintf(stderr, "usage: tokivane_screenshot [--screen | --batch | --due | "
                             "--customers | --joined | --totals] OUTPUT.png\n");
        return 2;
    }
    QApplication app(argc, argv);
    const char* output = argv[argc - 1];
    const QPixmap picture = screen      ? wholeScreen()
                            : batch     ? batchAfterPaste()
                            : due       ? dueDates()
                            : customers ? customersTab(1)
                            : joined    ? customersTab(0)
                            : totals    ? customersTab(2)
                                        : sampleRun();
    if (!picture.save(QString::fromLocal8Bit(output))) {
        std::fprintf(stderr, "could not write %s\n", output);
        return 1;
    }
    return 0;
}
