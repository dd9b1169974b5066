#pragma once

#include <QKeySequence>

class QAction;

namespace tolvi::widgets {

// The key a menu action's caption offers after a tab ("&Paste\tCtrl+V"), as Qt's standard
// context menus write it; empty when the caption offers none.
QKeySequence ShortcutHint(const QAction& action);

// Takes that key off the caption, which keeps its name and its access key.
void RemoveShortcutHint(QAction& action);

}  // namespace tolvi::widgets
