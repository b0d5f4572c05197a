// Qt's standard dialogs as the program shows them: Japanese buttons and
// labels, and the file types offered by the save dialogs.
#include "league/SystemErrors.h"
#include "support/RecordingDialogs.h"
#include "windowkit/CsvSaving.h"

#include <QAbstractButton>
#include <QColorDialog>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>

#include <cerrno>

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
