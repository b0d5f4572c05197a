// The Qt implementation of the dialog interface.
#include "windowkit/UserDialogs.h"

#include "windowkit/QtText.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QCryptographicHash>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QSplitter>
#include <QStandardPaths>
#include <QTreeView>

#include <algorithm>

namespace tenvoll {

namespace {

QString filterText(const QList<FileFilter>& filters) {
    QStringList parts;
    // A caption that names its pattern already is shown as it stands.
    for (const auto& f : filters)
        parts << (f.caption.contains(f.pattern)
                      ? f.caption
                      : f.caption + QStringLiteral(" (") + f.pattern + QStringLiteral(")"));
    return parts.join(QStringLiteral(";;"));
}

// The user's configuration file (not the league's Tenvoll.ini, which users
// copy between machines): the last folder of each kind of file.
QString userConfigFile() {
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
           QStringLiteral("/tenvoll.conf");
}

QString folderKey(const QString& kind) {
    const QByteArray digest = QCryptographicHash::hash(kind.toUtf8(), QCryptographicHash::Sha1);
    return QStringLiteral("LastFolders/") + QString::fromLatin1(digest.toHex().left(16));
}

QString rememberedFolder(const QString& kind) {
    return QSettings(userConfigFile(), QSettings::IniFormat).value(folderKey(kind)).toString();
}

void rememberFolder(const QString& kind, const QString& folder) {
    QSettings settings(userConfigFile(), QSettings::IniFormat);
    settings.setValue(folderKey(kind), folder);
}

// The file list's modification dates in Japanese form ("2026/12/09 4:06"),
// whatever the system's locale.
class JapaneseDates final : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex& index, int role) const override {
        if (role == Qt::DisplayRole && index.column() == kDateColumn) {
            if (auto* files = qobject_cast<QFileSystemModel*>(sourceModel())) {
                const QDateTime when = files->lastModified(mapToSource(index));
                if (when.isValid())
                    return QLocale(QLocale::Japanese, QLocale::Japan)
                        .toString(when, QStringLiteral("yyyy/MM/dd H:mm"));
            }
        }
        return QIdentityProxyModel::data(index, role);
    }

private:
    static constexpr int kDateColumn = 3;
};

class QtUserDialogs final : public UserDialogs {
public:
    void message(QWidget* parent, const QString& text, const QString& detail,
                 MessageKind kind) override {
        const QMessageBox::Icon icon = kind == MessageKind::Critical  ? QMessageBox::Critical
                                       : kind == MessageKind::Warning ? QMessageBox::Warning
                                                                      : QMessageBox::Information;
        QMessageBox box(icon, QApplicationTitle(), text, QMessageBox::Ok, parent);
        if (!detail.isEmpty())
            box.setInformativeText(detail);
        box.exec();
    }

    bool question(QWidget* parent, const QString& text, DefaultAnswer preset) override {
        QMessageBox box(QMessageBox::Question, QApplicationTitle(), text,
                        QMessageBox::Yes | QMessageBox::No, parent);
        box.setDefaultButton(preset == DefaultAnswer::Yes ? QMessageBox::Yes : QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes;
    }

    int choice(QWidget* parent, const QString& text, const QString& detail,
               const QStringList& options, int preset) override {
        QMessageBox box(QMessageBox::Question, QApplicationTitle(), text, QMessageBox::NoButton,
                        parent);
        box.setInformativeText(detail);
        QList<QAbstractButton*> buttons;
        for (const QString& option : options)
            buttons << box.addButton(option, buttons.size() + 1 == options.size()
                                                 ? QMessageBox::RejectRole
                                                 : QMessageBox::AcceptRole);
        if (!buttons.isEmpty()) {
            box.setDefaultButton(
                qobject_cast<QPushButton*>(buttons.value(preset, buttons.constFirst())));
            box.setEscapeButton(buttons.constLast());
        }
        box.exec();
        const qsizetype chosen = buttons.indexOf(box.clickedButton());
        return chosen < 0 ? int(options.size()) - 1 : int(chosen);
    }

    void about(QWidget* parent, const QString& text, const QString& detail) override {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("バージョン情報"), text,
                        QMessageBox::Ok, parent);
        box.setIconPixmap(QApplication::windowIcon().pixmap(64, 64));
        box.setInformativeText(detail);
        box.setTextInteractionFlags(Qt::TextSelectableByMouse);
        QAbstractButton* qt = box.addButton(QStringLiteral("Qt について"), QMessageBox::HelpRole);
        box.exec();
        if (box.clickedButton() == qt)
            QMessageBox::aboutQt(parent, QStringLiteral("Qt について"));
    }

    std::optional<QString> inputText(QWidget* parent, const QString& title, const QString& prompt,
                                     const QString& preset, int fieldCharacters) override {
        QInputDialog dialog(parent);
        dialog.setWindowTitle(title);
        // The dialog's label takes "&" for a shortcut mark.
        dialog.setLabelText(mnemonicSafe(prompt));
        dialog.setInputMode(QInputDialog::TextInput);
        dialog.setTextValue(preset);
        if (fieldCharacters > 0) {
            if (auto* field = dialog.findChild<QLineEdit*>()) {
                const QFontMetrics metrics(field->font());
                // Digits and Latin letters are about as wide as a zero.
                field->setMinimumWidth(
                    metrics.horizontalAdvance(QString(fieldCharacters, QLatin1Char('0'))) + 12);
            }
        }
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.textValue();
    }

    std::optional<QString> openFileName(QWidget* parent, const QString& folder,
                                        const QList<FileFilter>& filters) override {
        const QString kind = filterText(filters);
        QFileDialog dialog(parent);
        prepareFileDialog(dialog);
        dialog.setFileMode(QFileDialog::ExistingFile);
        if (!filters.isEmpty())
            dialog.setNameFilter(kind);
        dialog.setDirectory(startFolder(kind, folder));
        return chosenFile(dialog, kind);
    }

    std::optional<QString> saveFileName(QWidget* parent, const QString& proposedName,
                                        const QString& defaultSuffix,
                                        const QList<FileFilter>& filters) override {
        const QString kind = filterText(filters);
        QFileDialog dialog(parent);
        prepareFileDialog(dialog);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(defaultSuffix);
        if (!filters.isEmpty())
            dialog.setNameFilter(kind);
        if (QFileInfo(proposedName).isAbsolute()) {
            dialog.selectFile(proposedName);
        } else {
            dialog.setDirectory(startFolder(kind, QString()));
            dialog.selectFile(proposedName);
        }
        return chosenFile(dialog, kind);
    }

    std::optional<QString> folderName(QWidget* parent, const QString& prompt,
                                      const QString& start) override {
        const QString kind = QStringLiteral("folder:") + prompt;
        QFileDialog dialog(parent, prompt);
        prepareFileDialog(dialog);
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly);
        // The folder asked for at start is the one to offer; otherwise the last one chosen.
        const QString from = start.isEmpty() ? startFolder(kind, QString()) : start;
        dialog.setDirectory(from);
        std::optional<QString> chosen = chosenFile(dialog, QString());
        if (chosen)
            rememberFolder(kind, *chosen);
        return chosen;
    }

    std::optional<QColor> colour(QWidget* parent, const QColor& initial) override {
        QColor c = QColorDialog::getColor(initial, parent);
        if (!c.isValid())
            return std::nullopt;
        return c;
    }

    bool openExternally(const QUrl& url) override { return QDesktopServices::openUrl(url); }

private:
    static QString QApplicationTitle() { return QStringLiteral("ボルタナ選手名鑑"); }

    // The chosen file, remembering its folder for the next dialog of its kind.
    static std::optional<QString> chosenFile(QFileDialog& dialog, const QString& kind) {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        const QString chosen = dialog.selectedFiles().constFirst();
        if (!kind.isEmpty())
            rememberFolder(kind, QFileInfo(chosen).absolutePath());
        return chosen;
    }

    // The remembered folder of this kind when it still exists, else `fallback`.
    static QString startFolder(const QString& kind, const QString& fallback) {
        const QString remembered = rememberedFolder(kind);
        if (!remembered.isEmpty() && QFileInfo(remembered).isDir())
            return remembered;
        return fallback;
    }
};

QtUserDialogs& qtDialogs() {
    static QtUserDialogs instance;
    return instance;
}

UserDialogs* installed = nullptr;

} // namespace

// Qt's own file dialog in every case, so that it is Japanese throughout.
void prepareFileDialog(QFileDialog& dialog) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setProxyModel(new JapaneseDates(&dialog));
    const QFontMetrics metrics(dialog.font());
    const int em = metrics.horizontalAdvance(QStringLiteral("あ"));
    dialog.resize(std::max(900, 60 * em), std::max(560, 34 * metrics.height()));
    if (auto* list = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        QHeaderView* header = list->header();
        header->resizeSection(0, 26 * em);
        header->resizeSection(1, metrics.horizontalAdvance(QStringLiteral("999.9 KB")) + 2 * em);
        // A type reads like 「平文テキストドキュメント」.
        header->resizeSection(2, 14 * em);
        header->resizeSection(3, metrics.horizontalAdvance(QStringLiteral("2026/12/31 23:59")) +
                                     2 * em);
    }
    if (auto* sides = dialog.findChild<QSplitter*>(QStringLiteral("splitter")))
        sides->setSizes({12 * em, dialog.width() - 12 * em});
}

UserDialogs& dialogs() {
    return installed ? *installed : qtDialogs();
}

void setDialogs(UserDialogs* implementation) {
    installed = implementation;
}

} // namespace tenvoll
