// The window's shortcuts ahead of a focused field's own keys.
#include "console/WindowKeysFirst.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QWidget>

#include <utility>

namespace console {

WindowKeysFirst::WindowKeysFirst(QWidget* window, QList<QAction*> actions)
    : QObject(window)
    , window(window)
    , actions(std::move(actions)) {
    // The field that has the focus is asked first, so only the application sees it before.
    qApp->installEventFilter(this);
}

// A key is offered to the focused widget as a shortcut override before it may become a
// shortcut; left unaccepted, it goes on to the window's action.
bool WindowKeysFirst::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    // An open list of the window keeps Esc: left alone, the list closes and the window's Esc
    // runs as well.
    const QWidget* popup = QApplication::activePopupWidget();
    if (popup && popup->parentWidget() && popup->parentWidget()->window() == window &&
        key->matches(QKeySequence::Cancel)) {
        key->accept();
        return true;
    }
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != window)
        return false;
    const QKeySequence pressed(key->keyCombination());
    for (const QAction* action : actions)
        if (action->isEnabled() && action->shortcut() == pressed) {
            event->ignore();
            return true;
        }
    return false;
}

} // namespace console
