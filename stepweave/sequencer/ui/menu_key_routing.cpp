#include "stepweave/sequencer/ui/menu_key_routing.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

namespace stepweave {

MenuKeyRouting::MenuKeyRouting(QList<QAction*> menuActions, QObject* parent)
    : QObject(parent), menuActions_(std::move(menuActions)) {
    for (QAction* action : menuActions_) {
        action->installEventFilter(this);
    }
}

void MenuKeyRouting::Watch(QWidget& window) {
    for (QLineEdit* field : window.findChildren<QLineEdit*>()) {
        if (field->window() == &window) {
            field->installEventFilter(this);
        }
    }
    for (QComboBox* dropDown : window.findChildren<QComboBox*>()) {
        if (dropDown->window() == &window) {
            dropDown->installEventFilter(this);
            // The list is made here, so this filter sees its keys before the
            // list's own handling does.
            dropDown->view()->installEventFilter(this);
        }
    }
}

bool MenuKeyRouting::IsMenuKey(const QKeyEvent& key) const {
    // The keypad's Enter is the menu's Enter.
    const QKeySequence pressed(QKeyCombination(key.modifiers() & ~Qt::KeypadModifier, Qt::Key(key.key())));
    for (const QAction* action : menuActions_) {
        if (action->isEnabled() && action->shortcuts().contains(pressed)) {
            return true;
        }
    }
    return false;
}

// Only until the key has been delivered: the next turn of the event loop.
void MenuKeyRouting::ListTookKey() {
    listTookKey_ = true;
    QTimer::singleShot(0, this, [this] { listTookKey_ = false; });
}

bool MenuKeyRouting::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Shortcut) {
        return listTookKey_;  // a menu action's shortcut: swallowed while a list has the key
    }
    if (event->type() != QEvent::ShortcutOverride) {
        return false;
    }
    if (qobject_cast<QAbstractItemView*>(watched) != nullptr) {
        ListTookKey();
        return false;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    if (IsMenuKey(*key)) {
        key->ignore();  // the field does not want it: the shortcut has it
        return true;
    }
    return false;
}

}  // namespace stepweave
