// The Qt implementation of the dialog interface.
#include "windowkit/UserDialogs.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

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
    void message(QWidget* parent, const QString& text, const QString& detail) override {
        QMessageBox box(QMessageBox::Information, QApplicationTitle(), text, QMessageBox::Ok,
                        parent);
        if (!detail.isEmpty())
            box.setInformativeText(detail);
        box.exec();
    }

    bool question(QWidget* parent, const QString& text) override {
        return QMessageBox::question(parent, QApplicationTitle(), text,
                                     QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    }

    std::optional<QString> inputText(QWidget* parent, const QString& title, const QString& prompt,
                                     const QString& preset) override {
        bool ok = false;
        QString text = QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, preset, &ok);
        if (!ok)
            return std::nullopt;
        return text;
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
