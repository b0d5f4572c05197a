// Keyboard access every window shares: Ctrl+S presses a window's saving
// button, Esc closes a tool window that is not a dialog.
#pragma once

class QAbstractButton;
class QWidget;

namespace tenvoll {

// Ctrl+S (the platform's Save keys) anywhere in `window` presses `button`
// while it is enabled and shown.
void clickOnSave(QWidget* window, QAbstractButton* button);

} // namespace tenvoll
