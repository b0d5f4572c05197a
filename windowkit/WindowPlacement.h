// Where a tool window opens: centred on the window it was opened from, kept
// on that window's screen.
#pragma once

class QWidget;

namespace tenvoll {

// Moves `window` (not yet shown, its size set) so that it stands centred on
// `over`'s window; nothing when there is none.
void centreOnWindow(QWidget& window, const QWidget* over);

} // namespace tenvoll
