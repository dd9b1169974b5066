#include "widgets/shortcut_hint.h"

#include <QAction>

namespace tolvi::widgets {

namespace {
constexpr QLatin1Char kTab('\t');
}

QKeySequence ShortcutHint(const QAction& action) {
    const QString text = action.text();
    if (!text.contains(kTab)) {
        return {};
    }
    return QKeySequence::fromString(text.section(kTab, 1), QKeySequence::NativeText);
}

void RemoveShortcutHint(QAction& action) {
    action.setText(action.text().section(kTab, 0, 0));
}

}  // namespace tolvi::widgets
