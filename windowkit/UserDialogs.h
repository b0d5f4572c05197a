// Every message box, question, input box, file or folder dialog, colour
// chooser and shell "open" of the program goes through this interface, so
// tests answer them in advance and never block on a modal box.
#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

class QFileDialog;
class QWidget;

namespace tenvoll {

struct FileFilter {
    QString caption; // "チームファイル (*.txt) テキスト形式"
    QString pattern; // "*.txt"
};

// How a message box presents itself: a notice, a failure the user can mend
// (a missing file, a refused entry), or a failure that lost the user's work.
enum class MessageKind { Information, Warning, Critical };

// The button a question's Enter answers. A question whose yes changes league
// files leaves it at no, so that a stray Enter changes nothing.
enum class DefaultAnswer { No, Yes };

class UserDialogs {
public:
    virtual ~UserDialogs() = default;

    // A message box with the program's fixed text; `detail` adds particulars.
    virtual void message(QWidget* parent, const QString& text, const QString& detail = {},
                         MessageKind kind = MessageKind::Information) = 0;
    void warning(QWidget* parent, const QString& text, const QString& detail = {}) {
        message(parent, text, detail, MessageKind::Warning);
    }
    void critical(QWidget* parent, const QString& text, const QString& detail = {}) {
        message(parent, text, detail, MessageKind::Critical);
    }
    // A yes/no question with the question icon; true for yes.
    virtual bool question(QWidget* parent, const QString& text,
                          DefaultAnswer preset = DefaultAnswer::No) = 0;
    // A question answered by one of `options` (buttons; the one at `preset`
    // answers Enter, the last also Escape); the index of the one chosen.
    virtual int choice(QWidget* parent, const QString& text, const QString& detail,
                       const QStringList& options, int preset = 0) = 0;
    // The program's about box: its icon, `text`, `detail`, and a button that
    // shows Qt's own about box with Qt's licence.
    virtual void about(QWidget* parent, const QString& text, const QString& detail) = 0;
    // A single-line input box; nothing when cancelled. The prompt is shown as
    // it is ("&" included); the field is wide enough for `fieldCharacters`
    // characters when that is given.
    virtual std::optional<QString> inputText(QWidget* parent, const QString& title,
                                             const QString& prompt, const QString& preset,
                                             int fieldCharacters = 0) = 0;
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

// Makes `dialog` the program's file dialog: Qt's own (never the desktop's),
// with Japanese dates, columns and side bar wide enough, and a larger size.
void prepareFileDialog(QFileDialog& dialog);

// The dialogs in use; the Qt implementation unless a test installs another.
UserDialogs& dialogs();
// Installs an implementation (not owned); null restores the Qt one.
void setDialogs(UserDialogs* implementation);

} // namespace tenvoll
