// Centring a tool window on its main window.
#include "windowkit/WindowPlacement.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace tenvoll {

void centreOnWindow(QWidget& window, const QWidget* over) {
    if (!over)
        return;
    const QWidget* anchor = over->window();
    const QRect target = anchor->frameGeometry();
    QRect placed(QPoint(), window.frameGeometry().size());
    placed.moveCenter(target.center());
    // The title bar stays on the screen, whatever the main window's place.
    if (const QScreen* screen = anchor->screen()) {
        const QRect room = screen->availableGeometry();
        placed.moveLeft(std::clamp(placed.left(), room.left(),
                                   std::max(room.left(), room.right() - placed.width() + 1)));
        placed.moveTop(std::clamp(placed.top(), room.top(),
                                  std::max(room.top(), room.bottom() - placed.height() + 1)));
    }
    window.move(placed.topLeft());
}

} // namespace tenvoll
