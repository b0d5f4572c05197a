// What the program brings to the desktop at start: its command line and its
// icon in every size a desktop asks for.
#include "windowkit/ProgramArguments.h"
#include "windowkit/ProgramIcon.h"

#include <QImage>

#include <gtest/gtest.h>

using namespace tenvoll;

namespace {

struct ArgumentsCase {
    const char* name;
    QStringList arguments;
    ProgramArguments expected;
};

ProgramArguments withFolder(QString folder, bool chooseFolder = false) {
    ProgramArguments a;
    a.folder = std::move(folder);
    a.chooseFolder = chooseFolder;
    return a;
}

ProgramArguments withError(QString error) {
    ProgramArguments a;
    a.error = std::move(error);
    return a;
}

ProgramArguments withScreenshot(QString file, QString window, QString folder) {
    ProgramArguments a;
    a.screenshot = std::move(file);
    a.window = std::move(window);
    a.folder = std::move(folder);
    return a;
}

void expectSame(const ProgramArguments& got, const ProgramArguments& want, const char* name) {
    SCOPED_TRACE(name);
    EXPECT_EQ(got.error, want.error);
    if (!want.error.isEmpty())
        return; // the rest is not used
    EXPECT_EQ(got.folder, want.folder);
    EXPECT_EQ(got.chooseFolder, want.chooseFolder);
    EXPECT_EQ(got.version, want.version);
    EXPECT_EQ(got.help, want.help);
    EXPECT_EQ(got.screenshot, want.screenshot);
    EXPECT_EQ(got.player, want.player);
    EXPECT_EQ(got.window, want.window);
}

} // namespace

TEST(ProgramArgumentsTest, FolderOptionsAndUsageErrors) {
    const QString folder = QStringLiteral("/home/鈴木/リーグ");
    const ArgumentsCase cases[] = {
        {"nothing", {}, ProgramArguments{}},
        {"folder", {folder}, withFolder(folder)},
        {"folder then choose",
         {folder, QStringLiteral("--choose-folder")},
         withFolder(folder, true)},
        {"choose alone", {QStringLiteral("--choose-folder")}, withFolder({}, true)},
        // An option's value is never taken for the folder.
        {"values",
         {QStringLiteral("--screenshot"), QStringLiteral("a.png"), QStringLiteral("--window"),
          QStringLiteral("chart"), folder},
         withScreenshot(QStringLiteral("a.png"), QStringLiteral("chart"), folder)},
        {"dash is a folder", {QStringLiteral("-")}, withFolder(QStringLiteral("-"))},
        {"value missing",
         {QStringLiteral("--window")},
         withError(QStringLiteral("--window には値が必要です。"))},
        {"unknown option",
         {QStringLiteral("--folder"), folder},
         withError(QStringLiteral("知らないオプションです: --folder"))},
        {"two folders",
         {folder, QStringLiteral("b")},
         withError(QStringLiteral("フォルダは1つだけ指定してください: b"))},
    };
    for (const ArgumentsCase& c : cases)
        expectSame(parseProgramArguments(c.arguments), c.expected, c.name);
}

TEST(ProgramIconTest, EverySizeIsCompiledIn) {
    const QIcon icon = programIcon();
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        SCOPED_TRACE(size);
        EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size)));
        // The picture itself, not a scaled neighbour: drawn at this size, not blank.
        const QImage image(QStringLiteral(":/icons/tenvoll-%1.png").arg(size));
        ASSERT_EQ(image.size(), QSize(size, size));
        EXPECT_GT(qAlpha(image.pixel(size / 2, size / 2)), 0);
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0); // the rounded corner is transparent
    }
}
