#pragma once
// Which control a key reaches first in the main window. The menu's keys act
// wherever the focus is, before the focused control sees them: a text field
// would otherwise keep Ctrl+C (its copy) for itself, and the menu's Exit
// would never hear it. A key pressed in a drop-down's open list is the
// list's alone: Enter there chooses the entry and inserts no instrument.
//
// The platform asks the focused control first whether it wants a key that
// is also a shortcut. A text field says yes to Ctrl+C; the routing answers
// no for it. An open list takes Enter at that question and closes, and the
// platform then goes on to the shortcut as if the list had never been open;
// the routing keeps that shortcut from firing.
#include <QList>
#include <QObject>

class QAction;
class QKeyEvent;
class QWidget;

namespace stepweave {

class MenuKeyRouting : public QObject {
    Q_OBJECT

public:
    // The actions whose keys go before the text fields' own.
    MenuKeyRouting(QList<QAction*> menuActions, QObject* parent);

    // Routes the keys of every text field and drop-down in the window.
    void Watch(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool IsMenuKey(const QKeyEvent& key) const;
    void ListTookKey();

    QList<QAction*> menuActions_;
    // A list is handling the key being delivered: no shortcut fires for it.
    bool listTookKey_ = false;
};

}  // namespace stepweave
