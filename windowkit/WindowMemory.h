// The program's windows remembered between runs in the user's configuration
// (never in the league's settings file, which users copy between machines):
// each window's size and position and the column widths the user set in its
// grids, keyed by the window's and the grid's object names.
#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace tenvoll {

class WindowMemory : public QObject {
    Q_OBJECT
public:
    explicit WindowMemory(QString configFile, QObject* parent = nullptr);

    // Gives a window its remembered geometry and its grids their widths.
    void restore(QWidget* window) const;
    // Remembers them.
    void remember(const QWidget* window) const;

protected:
    // Every top-level window of the program ("TForm…") is restored when it is
    // first shown and remembered whenever it is hidden or closed.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString file_;
};

// A window that sizes itself to what it shows keeps only its position.
void rememberPositionOnly(QWidget* window);

// The configuration file of the user: the one that remembers the start folder.
QString userConfigFile();

// Installs the memory on the application for the rest of the run.
void installWindowMemory(const QString& configFile);

} // namespace tenvoll
