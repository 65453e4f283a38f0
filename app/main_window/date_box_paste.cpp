#include "date_box_paste.h"

#include "pasted_lines.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>

namespace tokivane {

namespace {

// The name later Qt versions give the paste entry of a line edit's menu.
constexpr QStringView kPasteActionName = u"edit-paste";

// The paste entry: named, or captioned as Qt captions it, before its shortcut.
bool isPasteEntry(const QAction& action) {
    if (action.objectName() == kPasteActionName)
        return true;
    const QString caption = QLineEdit::tr("&Paste");
    const QString text = action.text();
    return text.startsWith(caption) &&
           (text.size() == caption.size() || text[caption.size()] == u'\t');
}

class DateBoxPaste final : public QObject {
  public:
    DateBoxPaste(QLineEdit& text1, QLineEdit& text2, std::function<void(const QString&)> openLines)
        : QObject(&text1), text1_(text1), openLines_(std::move(openLines)) {
        text1.installEventFilter(this);
        text2.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* box = qobject_cast<QLineEdit*>(watched);
        if (!box || box->isReadOnly())
            return false;
        switch (event->type()) {
        case QEvent::KeyPress:
            if (!static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste))
                return false;
            paste(*box, QGuiApplication::clipboard()->text());
            return true;
        case QEvent::ContextMenu:
            return showMenu(*box, *static_cast<QContextMenuEvent*>(event));
        case QEvent::MouseButtonRelease:
            return middleClick(*box, *static_cast<QMouseEvent*>(event));
        case QEvent::Drop:
            return drop(*box, *static_cast<QDropEvent*>(event));
        default:
            return false;
        }
    }

  private:
    void paste(QLineEdit& box, const QString& clip) {
        if (&box == &text1_) {
            box.insert(processingBoxPaste(clip));
            return;
        }
        const BoxPaste pasted = recordBoxPaste(clip);
        if (pasted.manyLines)
            openLines_(clip);
        else
            box.insert(pasted.text);
    }

    // The box's own menu, its paste entry going through the same rule.
    bool showMenu(QLineEdit& box, const QContextMenuEvent& event) {
        QMenu* menu = box.createStandardContextMenu();
        for (QAction* action : menu->actions()) {
            if (!isPasteEntry(*action))
                continue;
            action->setObjectName(kPasteActionName.toString());
            action->disconnect(&box);
            connect(action, &QAction::triggered, this,
                    [this, &box] { paste(box, QGuiApplication::clipboard()->text()); });
        }
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(event.globalPos());
        return true;
    }

    // Only pastes with a line break need the rule; others go on as before.
    bool middleClick(QLineEdit& box, const QMouseEvent& event) {
        QClipboard* clipboard = QGuiApplication::clipboard();
        if (event.button() != Qt::MiddleButton || !clipboard->supportsSelection())
            return false;
        const QString clip = clipboard->text(QClipboard::Selection);
        if (!hasLineBreak(clip))
            return false;
        box.deselect();
        box.setCursorPosition(box.cursorPositionAt(event.position().toPoint()));
        paste(box, clip);
        return true;
    }

    bool drop(QLineEdit& box, QDropEvent& event) {
        const QMimeData* data = event.mimeData();
        if (!data || data->hasUrls() || !data->hasText() || !hasLineBreak(data->text()))
            return false;
        box.setCursorPosition(box.cursorPositionAt(event.position().toPoint()));
        event.setDropAction(Qt::CopyAction);
        event.accept();
        paste(box, data->text());
        return true;
    }

    // The processing date's box; the other watched box is the record date's.
    QLineEdit& text1_;
    std::function<void(const QString&)> openLines_;
};

} // namespace

void installDateBoxPaste(QLineEdit& text1, QLineEdit& text2,
                         std::function<void(const QString&)> openLines) {
    new DateBoxPaste(text1, text2, std::move(openLines));
}

} // namespace tokivane
