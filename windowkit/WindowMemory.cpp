// Window geometry and grid column widths in the user's configuration file.
#include "windowkit/WindowMemory.h"

#include "windowkit/GridView.h"
#include "windowkit/StartFolder.h"

#include <QApplication>
#include <QEvent>
#include <QSettings>
#include <QWidget>

#include <vector>

namespace tenvoll {

namespace {

const char* const kRestoredProperty = "tenvollGeometryRestored";
const char* const kPositionOnlyProperty = "tenvollRememberPositionOnly";

bool isProgramWindow(const QObject* o) {
    const auto* w = qobject_cast<const QWidget*>(o);
    return w && w->isWindow() && w->objectName().startsWith(QStringLiteral("TForm"));
}

QString geometryKey(const QWidget* window) {
    return QStringLiteral("Windows/") + window->objectName() + QStringLiteral("/Geometry");
}

QString positionKey(const QWidget* window) {
    return QStringLiteral("Windows/") + window->objectName() + QStringLiteral("/Position");
}

bool positionOnly(const QWidget* window) {
    return window->property(kPositionOnlyProperty).toBool();
}

QString columnsKey(const QWidget* window, const GridView* grid) {
    return QStringLiteral("Columns/") + window->objectName() + QLatin1Char('/') +
           grid->objectName();
}

// The grids of a window itself (not those of the windows it owns).
std::vector<GridView*> gridsOf(const QWidget* window) {
    std::vector<GridView*> out;
    for (GridView* g : window->findChildren<GridView*>())
        if (!g->objectName().isEmpty() && g->window() == window)
            out.push_back(g);
    return out;
}

} // namespace

WindowMemory::WindowMemory(QString configFile, QObject* parent)
    : QObject(parent), file_(std::move(configFile)) {}

void WindowMemory::restore(QWidget* window) const {
    QSettings settings(file_, QSettings::IniFormat);
    if (positionOnly(window)) {
        const QVariant position = settings.value(positionKey(window));
        if (position.isValid())
            window->move(position.toPoint());
    } else {
        const QByteArray geometry = settings.value(geometryKey(window)).toByteArray();
        if (!geometry.isEmpty())
            window->restoreGeometry(geometry);
    }
    for (GridView* grid : gridsOf(window)) {
        const QStringList texts = settings.value(columnsKey(window, grid)).toStringList();
        if (texts.isEmpty())
            continue;
        std::vector<int> widths;
        for (const QString& t : texts)
            widths.push_back(t.toInt());
        grid->setUserColumnWidths(widths);
    }
}

void WindowMemory::remember(const QWidget* window) const {
    QSettings settings(file_, QSettings::IniFormat);
    if (positionOnly(window))
        settings.setValue(positionKey(window), window->pos());
    else
        settings.setValue(geometryKey(window), window->saveGeometry());
    for (const GridView* grid : gridsOf(window)) {
        const std::vector<int> widths = grid->userColumnWidths();
        if (widths.empty())
            continue;
        QStringList texts;
        for (int w : widths)
            texts << QString::number(w);
        settings.setValue(columnsKey(window, grid), texts);
    }
    // A configuration that cannot be written costs only the remembered layout.
    settings.sync();
}

bool WindowMemory::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((type == QEvent::Show || type == QEvent::Hide) && isProgramWindow(watched)) {
        auto* window = static_cast<QWidget*>(watched);
        if (type == QEvent::Show && !window->property(kRestoredProperty).toBool()) {
            window->setProperty(kRestoredProperty, true);
            restore(window);
        } else if (type == QEvent::Hide && window->property(kRestoredProperty).toBool()) {
            remember(window);
        }
    }
    return QObject::eventFilter(watched, event);
}

void rememberPositionOnly(QWidget* window) {
    window->setProperty(kPositionOnlyProperty, true);
}

QString userConfigFile() {
    return standardStartFolderPlaces().configFile;
}

void installWindowMemory(const QString& configFile) {
    qApp->installEventFilter(new WindowMemory(configFile, qApp));
}

} // namespace tenvoll
