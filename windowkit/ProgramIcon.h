// The program's icon, drawn at build time from packaging/tenvoll.svg in every
// size a desktop asks for (16 to 256 pixels).
#pragma once

#include <QIcon>

namespace tenvoll {

QIcon programIcon();

// Makes the icon the one of every window of the application, and names the
// desktop entry that starts it (Wayland shells take the icon from there).
void installProgramIcon();

} // namespace tenvoll
