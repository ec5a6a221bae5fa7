// Lets the window's keyboard actions act first on every page: a focused text field claims its
// own standard keys (Ctrl+A selects all, Ctrl+Z undoes) before any shortcut is looked at, and
// would otherwise take the window's keys of the same name. An open list keeps Esc for itself.
#pragma once

#include <QList>
#include <QObject>

class QAction;
class QWidget;

namespace console {

class WindowKeysFirst final : public QObject {
public:
    // Watches the application's events for keys pressed inside window that are the shortcut
    // of an enabled action of the list; owned by window.
    WindowKeysFirst(QWidget* window, QList<QAction*> actions);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window;
    QList<QAction*> actions;
};

} // namespace console
