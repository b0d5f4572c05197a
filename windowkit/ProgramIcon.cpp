// The program's icon from the pictures compiled into the program.
#include "windowkit/ProgramIcon.h"

#include "league/ProgramVersion.h"
#include "windowkit/QtText.h"

#include <QApplication>

namespace tenvoll {

QIcon programIcon() {
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/tenvoll-%1.png").arg(size), QSize(size, size));
    return icon;
}

void installProgramIcon() {
    QApplication::setWindowIcon(programIcon());
    QGuiApplication::setDesktopFileName(qs(kDesktopEntryId));
}

} // namespace tenvoll
