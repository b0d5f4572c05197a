// The Qt implementation of the dialog interface.
#include "windowkit/UserDialogs.h"

#include "windowkit/QtText.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

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
               const QStringList& options) override {
        QMessageBox box(QMessageBox::Question, QApplicationTitle(), text, QMessageBox::NoButton,
                        parent);
        box.setInformativeText(detail);
        QList<QAbstractButton*> buttons;
        for (const QString& option : options)
            buttons << box.addButton(option, buttons.size() + 1 == options.size()
                                                 ? QMessageBox::RejectRole
                                                 : QMessageBox::AcceptRole);
        if (!buttons.isEmpty()) {
            box.setDefaultButton(qobject_cast<QPushButton*>(buttons.constFirst()));
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
        QString name = QFileDialog::getOpenFileName(parent, QString(), folder, filterText(filters));
        if (name.isEmpty())
            return std::nullopt;
        return name;
    }

    std::optional<QString> saveFileName(QWidget* parent, const QString& proposedName,
                                        const QString& defaultSuffix,
                                        const QList<FileFilter>& filters) override {
        QFileDialog dialog(parent);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(defaultSuffix);
        if (!filters.isEmpty())
            dialog.setNameFilter(filterText(filters));
        dialog.selectFile(proposedName);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return dialog.selectedFiles().constFirst();
    }

    std::optional<QString> folderName(QWidget* parent, const QString& prompt,
                                      const QString& start) override {
        QString name = QFileDialog::getExistingDirectory(parent, prompt, start);
        if (name.isEmpty())
            return std::nullopt;
        return name;
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
};

QtUserDialogs& qtDialogs() {
    static QtUserDialogs instance;
    return instance;
}

UserDialogs* installed = nullptr;

} // namespace

UserDialogs& dialogs() {
    return installed ? *installed : qtDialogs();
}

void setDialogs(UserDialogs* implementation) {
    installed = implementation;
}

} // namespace tenvoll
