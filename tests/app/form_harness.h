#pragma once

// What the window tests share: the window on a fixed day, its controls by
// objectName, the output captions, typing, and catching modal messages.

#include "form1.h"
#include "output_fields.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <functional>
#include <memory>

namespace tokivane::harness {

// Today in every window test: 15 November 2025, a Saturday.
inline constexpr std::chrono::year_month_day kToday{std::chrono::year{2025}, std::chrono::November,
                                                    std::chrono::day{15}};
inline const QString kTodayText = QStringLiteral("25/11/15");

template <typename Widget> Widget* control(QWidget& form, const QString& name) {
    auto* widget = form.findChild<Widget*>(name);
    if (!widget)
        qFatal("the window has no %s named %s", Widget::staticMetaObject.className(),
               qPrintable(name));
    return widget;
}

inline QLineEdit* text1(QWidget& form) {
    return control<QLineEdit>(form, QStringLiteral("Text1"));
}
inline QLineEdit* text2(QWidget& form) {
    return control<QLineEdit>(form, QStringLiteral("Text2"));
}
inline QListWidget* list1(QWidget& form) {
    return control<QListWidget>(form, QStringLiteral("List1"));
}
inline QPushButton* executeButton(QWidget& form) {
    return control<QPushButton>(form, QStringLiteral("Command1"));
}
inline QPushButton* clearButton(QWidget& form) {
    return control<QPushButton>(form, QStringLiteral("Command4"));
}
inline QLabel* field(QWidget& form, OutputField which) {
    return control<QLabel>(form, fieldName(which));
}

// Every output field's caption by its objectName.
using Captions = QMap<QString, QString>;

inline Captions captions(QWidget& form) {
    Captions result;
    for (const OutputField which : kAllOutputFields)
        result.insert(fieldName(which), field(form, which)->text());
    return result;
}

// The window as the user finds it: built on the fixed day, shown and active,
// so that focus and keyboard behave as on a desktop.
struct ShownForm {
    FixedClock clock{kToday};
    std::unique_ptr<Form1> form = std::make_unique<Form1>(clock);

    bool show() {
        form->show();
        form->activateWindow();
        return QTest::qWaitForWindowActive(form.get());
    }
};

// Types into a box the way a user does after clearing it, without Enter.
inline void typeInto(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->clear();
    QTest::keyClicks(box, text);
}

inline void typeAndEnter(QLineEdit* box, const QString& text) {
    typeInto(box, text);
    QTest::keyClick(box, Qt::Key_Return);
}

// Selects a closing-day entry by clicking it; -1 leaves nothing selected.
inline void selectEntry(QListWidget* list, int row) {
    if (row < 0) {
        list->clearSelection();
        return;
    }
    QListWidgetItem* item = list->item(row);
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

struct ShownMessage {
    QString text;
    QString title;
    QMessageBox::StandardButtons standardButtons;
    qsizetype buttonCount = 0;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    // The box as it was drawn, and where its message text sits in that.
    QImage picture;
    QRect textArea;
};

// Runs an action and answers every modal message box it opens with OK, as a
// user would; the boxes are recorded in the order they appeared. Modal boxes
// run their own event loop, so a timer is the only way in.
[[nodiscard]] inline QList<ShownMessage> messagesDuring(const std::function<void()>& action) {
    QList<ShownMessage> shown;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        // Answering hides a box at once, so a visible one is always a new
        // message, even if the same box is shown again.
        if (!modal || !modal->isVisible())
            return;
        auto* box = qobject_cast<QMessageBox*>(modal);
        shown.append(box ? ShownMessage{box->text(),
                                        box->windowTitle(),
                                        box->standardButtons(),
                                        box->buttons().size(),
                                        box->icon(),
                                        {},
                                        {}}
                         : ShownMessage{QStringLiteral("<not a message box>"),
                                        modal->windowTitle(),
                                        {},
                                        0,
                                        QMessageBox::NoIcon,
                                        {},
                                        {}});
        shown.last().picture = modal->grab().toImage();
        if (auto* text = modal->findChild<QLabel*>(QStringLiteral("qt_msgbox_label")))
            shown.last().textArea = QRect(text->mapTo(modal, QPoint()), text->size());
        if (QAbstractButton* ok = box ? box->button(QMessageBox::Ok) : nullptr)
            ok->click();
        else if (box)
            box->done(0);
        else
            modal->close();
    });
    poll.start();
    action();
    poll.stop();
    return shown;
}

// Clicks a button as a user does; the messages it opened, answered with OK.
// Every click that may open a message goes through here, so that an
// unexpected one is answered and reported instead of blocking the test.
[[nodiscard]] inline QList<ShownMessage> click(QAbstractButton* button) {
    return messagesDuring([button] { QTest::mouseClick(button, Qt::LeftButton); });
}

} // namespace tokivane::harness
