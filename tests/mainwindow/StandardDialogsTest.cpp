// Qt's standard dialogs as the program shows them: Japanese buttons and
// labels, and the file types offered by the save dialogs.
#include "league/SystemErrors.h"
#include "support/RecordingDialogs.h"
#include "windowkit/CsvSaving.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

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
    EXPECT_FALSE(saveCsvFile(nullptr, QStringLiteral("東京"), {"a"}));
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
