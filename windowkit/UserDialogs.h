// Every message box, question, input box, file or folder dialog, colour
// chooser and shell "open" of the program goes through this interface, so
// tests answer them in advance and never block on a modal box.
#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

class QWidget;

namespace tenvoll {

struct FileFilter {
    QString caption; // "チームファイル (*.txt) テキスト形式"
    QString pattern; // "*.txt"
};

class UserDialogs {
public:
    virtual ~UserDialogs() = default;

    // An information box with the program's fixed text; `detail` adds particulars.
    virtual void message(QWidget* parent, const QString& text, const QString& detail = {}) = 0;
    // A yes/no question; true for yes.
    virtual bool question(QWidget* parent, const QString& text) = 0;
    // A question answered by one of `options` (buttons, the first the default,
    // the last also taken by Escape); the index of the one chosen.
    virtual int choice(QWidget* parent, const QString& text, const QString& detail,
                       const QStringList& options) = 0;
    // The program's about box: its icon, `text`, `detail`, and a button that
    // shows Qt's own about box with Qt's licence.
    virtual void about(QWidget* parent, const QString& text, const QString& detail) = 0;
    // A single-line input box; nothing when cancelled.
    virtual std::optional<QString> inputText(QWidget* parent, const QString& title,
                                             const QString& prompt, const QString& preset) = 0;
    virtual std::optional<QString> openFileName(QWidget* parent, const QString& folder,
                                                const QList<FileFilter>& filters) = 0;
    // `defaultSuffix` is added when the user types a name without one.
    virtual std::optional<QString> saveFileName(QWidget* parent, const QString& proposedName,
                                                const QString& defaultSuffix,
                                                const QList<FileFilter>& filters) = 0;
    virtual std::optional<QString> folderName(QWidget* parent, const QString& prompt,
                                              const QString& start) = 0;
    virtual std::optional<QColor> colour(QWidget* parent, const QColor& initial) = 0;
    // Opens a document or web address with the system's default handler.
    virtual bool openExternally(const QUrl& url) = 0;
};

// The dialogs in use; the Qt implementation unless a test installs another.
UserDialogs& dialogs();
// Installs an implementation (not owned); null restores the Qt one.
void setDialogs(UserDialogs* implementation);

} // namespace tenvoll
