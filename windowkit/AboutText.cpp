// The particulars of the about box.
#include "windowkit/AboutText.h"

#include <QDir>

namespace tenvoll {

QString aboutDetail(const QString& manualPath) {
    // qVersion() is the Qt the program runs with, which may be newer than the
    // one it was built with.
    return QStringLiteral("Qt %1 を GNU Lesser General Public License 第3版 (LGPLv3) "
                          "のもとで使用しています。Qt のライセンスは「Qt について」で"
                          "ご覧になれます。\n\nマニュアル: %2")
        .arg(QString::fromLatin1(qVersion()), QDir::toNativeSeparators(manualPath));
}

} // namespace tenvoll
