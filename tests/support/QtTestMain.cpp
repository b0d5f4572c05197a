// main() of the window tests: an offscreen QApplication with Qt's Japanese
// texts around GoogleTest.
#include "windowkit/QtTranslations.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    tenvoll::installJapaneseQtTranslations();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
