// Qt's standard dialogs as the program shows them: Japanese buttons and
// labels, and the file types offered by the save dialogs.
#include "league/SystemErrors.h"
#include "support/RecordingDialogs.h"
#include "support/TestFiles.h"
#include "windowkit/CsvSaving.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <cerrno>
#include <functional>

#include <gtest/gtest.h>

using namespace tenvoll;

namespace {

// Texts of a dialog's labels and buttons that still hold an English word; the
// shortcut marks "(&Y)" and the words Japanese desktops use as they are ("OK",
// "HTML") do not count.
QStringList englishTexts(const QWidget& dialog) {
    static const QRegularExpression shortcut(QStringLiteral("\\(&.\\)|&|\\bOK\\b|\\bHTML\\b"));
    static const QRegularExpression word(QStringLiteral("[A-Za-z]{2,}"));
    QStringList texts;
    for (const QLabel* l : dialog.findChildren<QLabel*>())
        texts << l->text();
    for (const QAbstractButton* b : dialog.findChildren<QAbstractButton*>())
        texts << b->text();
    texts << dialog.windowTitle();
    QStringList english;
    for (QString t : texts)
        if (t.remove(shortcut).contains(word))
            english << t;
    return english;
}

} // namespace

TEST(StandardDialogs, QuestionFileAndColourDialogsAreJapanese) {
    QMessageBox question(QMessageBox::Question, QStringLiteral("題"), QStringLiteral("問い"),
                         QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(question.button(QMessageBox::Yes)->text(), QStringLiteral("はい(&Y)"));
    EXPECT_EQ(question.button(QMessageBox::No)->text(), QStringLiteral("いいえ(&N)"));

    QFileDialog save;
    save.setOption(QFileDialog::DontUseNativeDialog);
    save.setAcceptMode(QFileDialog::AcceptSave);
    save.setNameFilter(QStringLiteral("CSVファイル (*.csv)"));
    EXPECT_EQ(englishTexts(save), QStringList());
    EXPECT_EQ(save.windowTitle(), QStringLiteral("名前を付けて保存"));

    QColorDialog colour;
    colour.setOption(QColorDialog::DontUseNativeDialog);
    EXPECT_EQ(englishTexts(colour), QStringList());
}

TEST(StandardDialogs, CsvIsSavedWithACsvFilter) {
    test::RecordingDialogs dialogs;
    EXPECT_FALSE(saveCsvFile(nullptr, std::string(), QStringLiteral("東京"), {"a"}));
    ASSERT_EQ(dialogs.lastFilters.size(), 1);
    EXPECT_EQ(dialogs.lastFilters[0].pattern, QStringLiteral("*.csv"));
    EXPECT_EQ(dialogs.lastSuffix, QStringLiteral("csv"));
}

TEST(StandardDialogs, SystemErrorsReadInJapanese) {
    EXPECT_EQ(systemErrorText(EACCES), "アクセスが許可されていません");
    EXPECT_EQ(systemErrorText(ENOENT), "ファイルまたはフォルダがありません");
    EXPECT_EQ(systemErrorText(std::make_error_code(std::errc::no_space_on_device)),
              "ディスクの空き容量が足りません");
    EXPECT_EQ(systemErrorText(-7), "システムのエラー (番号 -7)");
}

namespace {

// Runs `inspect` on the next modal dialog once it shows; it must close it.
void whenModalShows(std::function<void(QWidget*)> inspect) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, inspect] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            poll->stop();
            poll->deleteLater();
            inspect(modal);
        }
    });
    poll->start(10);
}

struct ShownBox {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString defaultButton;
};

} // namespace

// Questions show the question icon and answer no to Enter unless yes is
// harmless; failures show the warning or critical icon.
TEST(StandardDialogs, QuestionsDefaultToNoAndEveryKindShowsItsIcon) {
    struct Case {
        std::function<bool()> show;
        QMessageBox::Icon icon;
        QString defaultButton;
        bool answer;
    };
    const QString text =
        QStringLiteral("11期のデータはすでに追加されています。もう一度追加しますか？");
    const std::vector<Case> cases = {
        {[&] { return dialogs().question(nullptr, text); }, QMessageBox::Question,
         QStringLiteral("いいえ(&N)"), false},
        {[&] { return dialogs().question(nullptr, text, DefaultAnswer::Yes); },
         QMessageBox::Question, QStringLiteral("はい(&Y)"), true},
        {[&] {
             return dialogs().choice(nullptr, text, {},
                                     {QStringLiteral("取り消す"), QStringLiteral("キャンセル")},
                                     1) == 0;
         },
         QMessageBox::Question, QStringLiteral("キャンセル"), false},
        {[&] { return dialogs().message(nullptr, text), true; },
         QMessageBox::Information,
         {},
         true},
        {[&] { return dialogs().warning(nullptr, text), true; }, QMessageBox::Warning, {}, true},
        {[&] { return dialogs().critical(nullptr, text), true; }, QMessageBox::Critical, {}, true},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        ShownBox shown;
        whenModalShows([&shown](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            shown.icon = box->icon();
            if (box->defaultButton())
                shown.defaultButton = box->defaultButton()->text();
            QTest::keyClick(box, Qt::Key_Return);
        });
        const bool answer = cases[i].show();
        EXPECT_EQ(shown.icon, cases[i].icon) << i;
        if (!cases[i].defaultButton.isEmpty()) {
            EXPECT_EQ(shown.defaultButton, cases[i].defaultButton) << i;
        }
        EXPECT_EQ(answer, cases[i].answer) << i;
    }
}

// The newcomer's prompt keeps its "&" instead of turning it into a shortcut,
// and the field holds a whole player line.
TEST(StandardDialogs, InputPromptKeepsItsAmpersandAndTheFieldFitsALine) {
    const QString prompt =
        QStringLiteral("新人選手を入力してください。\r\nコピー&ペーストでの入力がお勧めです。");
    QString shownText;
    int fieldWidth = 0;
    int lineWidth = 0;
    whenModalShows([&](QWidget* w) {
        auto* dialog = qobject_cast<QInputDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        dialog->adjustSize();
        QLabel* label = dialog->findChild<QLabel*>();
        QLineEdit* field = dialog->findChild<QLineEdit*>();
        ASSERT_TRUE(label && field);
        shownText = label->text();
        EXPECT_TRUE(QKeySequence::mnemonic(label->text()).isEmpty());
        const QString line = QStringLiteral(
            "- 能見ソウイチロウ 右 巧 C E E E E D  B C D C B B 10 12  312 ; 24 C B D C B C A ");
        lineWidth = field->fontMetrics().horizontalAdvance(line + line.left(100 - line.size()));
        fieldWidth = field->width();
        QTest::keyClicks(field, QStringLiteral("P x"));
        QTest::keyClick(field, Qt::Key_Return);
    });
    const std::optional<QString> typed = dialogs().inputText(
        nullptr, QStringLiteral("新人選手データの入力"), prompt, QString(), 100);
    EXPECT_EQ(typed, QStringLiteral("P x"));
    QString visible = shownText;
    EXPECT_EQ(visible.replace(QStringLiteral("&&"), QStringLiteral("&")), prompt);
    EXPECT_GE(fieldWidth, lineWidth);
}

namespace {

// Waits until the file list of `dialog` shows `name`; its row, or an invalid index.
QModelIndex listedFile(QFileDialog& dialog, const QString& name) {
    auto* list = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    if (!list)
        return {};
    for (int tries = 0; tries < 200; ++tries) {
        QAbstractItemModel* m = list->model();
        const QModelIndex root = list->rootIndex();
        for (int r = 0; r < m->rowCount(root); ++r)
            if (m->index(r, 0, root).data().toString() == name)
                return m->index(r, 0, root);
        QTest::qWait(10);
    }
    return {};
}

} // namespace

// Qt's own file dialog: Japanese dates, columns and side bar wide enough for
// their texts, a roomy size, and the last folder of each kind of file offered
// again next time (in the user's configuration).
TEST(StandardDialogs, FileDialogsAreJapaneseRoomyAndRememberTheirFolder) {
    QStandardPaths::setTestModeEnabled(true);
    QFile::remove(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
                  QStringLiteral("/tenvoll.conf"));
    tenvoll::test::TempFolder folder;
    const QString chosenFolder = QString::fromStdString(folder.file("選ぶ"));
    tenvoll::test::writeCp932(folder.file("選ぶ/東京.txt"), "x\n");
    tenvoll::test::writeCp932(folder.file("別/大阪.txt"), "x\n");
    const QList<FileFilter> teams{{QStringLiteral("チームファイル"), QStringLiteral("*.txt")}};

    QString date, dialogFolder;
    QSize size;
    QStringList cut;
    whenModalShows([&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        size = dialog->size();
        const QModelIndex file = listedFile(*dialog, QStringLiteral("東京.txt"));
        ASSERT_TRUE(file.isValid());
        auto* list = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
        for (int c = 0; c < 4; ++c) {
            const QString text = file.siblingAtColumn(c).data().toString();
            if (c == 3)
                date = text;
            if (list->fontMetrics().horizontalAdvance(text) + 8 > list->columnWidth(c))
                cut << text;
        }
        auto* side = dialog->findChild<QAbstractItemView*>(QStringLiteral("sidebar"));
        ASSERT_NE(side, nullptr);
        for (int r = 0; r < side->model()->rowCount(); ++r) {
            const QString text = side->model()->index(r, 0).data().toString();
            if (side->fontMetrics().horizontalAdvance(text) + 24 > side->width())
                cut << text;
        }
        // Chosen as the user does: a click on its row, then Enter.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(file).center());
        QTest::keyClick(list, Qt::Key_Return);
    });
    std::optional<QString> chosen = dialogs().openFileName(nullptr, chosenFolder, teams);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(QFileInfo(*chosen).fileName(), QStringLiteral("東京.txt"));
    EXPECT_GE(size.width(), 900);
    EXPECT_GE(size.height(), 560);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{4}/\\d{2}/\\d{2} \\d{1,2}:\\d{2}$"))
                    .match(date)
                    .hasMatch())
        << date.toStdString();
    EXPECT_EQ(cut, QStringList());

    // Next time the same kind of file starts where the last one was found;
    // another kind keeps its own start.
    whenModalShows([&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        dialogFolder = dialog->directory().absolutePath();
        dialog->reject();
    });
    dialogs().openFileName(nullptr, QString::fromStdString(folder.file("別")), teams);
    // QDir's paths have '/' on every platform.
    EXPECT_EQ(dialogFolder, QDir::fromNativeSeparators(chosenFolder));
    whenModalShows([&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        dialogFolder = dialog->directory().absolutePath();
        dialog->reject();
    });
    dialogs().openFileName(nullptr, QString::fromStdString(folder.file("別")),
                           {{QStringLiteral("画像"), QStringLiteral("*.png")}});
    EXPECT_EQ(dialogFolder, QDir::fromNativeSeparators(QString::fromStdString(folder.file("別"))));
    QStandardPaths::setTestModeEnabled(false);
}
