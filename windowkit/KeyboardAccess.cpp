// Window shortcuts.
#include "windowkit/KeyboardAccess.h"

#include <QAbstractButton>
#include <QKeySequence>
#include <QShortcut>

namespace tenvoll {

void clickOnSave(QWidget* window, QAbstractButton* button) {
    auto* save = new QShortcut(QKeySequence::Save, window);
    save->setObjectName(QStringLiteral("SaveShortcut"));
    QObject::connect(save, &QShortcut::activated, button, [button] {
        if (button->isEnabled() && button->isVisible())
            button->click();
    });
}

} // namespace tenvoll
