// Loading Qt's Japanese translations, with the few texts they lack.
#include "windowkit/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstring>

namespace tenvoll {

namespace {

// Texts of the file dialog that Qt's Japanese translation leaves in English.
class MissingQtTexts final : public QTranslator {
public:
    using QTranslator::QTranslator;
    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override {
        Q_UNUSED(disambiguation);
        Q_UNUSED(n);
        struct Text {
            const char* context;
            const char* source;
            const char* japanese;
        };
        static const Text kTexts[] = {
            {"QAbstractFileIconProvider", "Folder", "フォルダー"},
            {"QAbstractFileIconProvider", "File", "ファイル"},
            {"QAbstractFileIconProvider", "Drive", "ドライブ"},
            {"QAbstractFileIconProvider", "%1 File", "%1 ファイル"},
        };
        if (!context || !sourceText)
            return {};
        for (const Text& t : kTexts)
            if (std::strcmp(t.context, context) == 0 && std::strcmp(t.source, sourceText) == 0)
                return QString::fromUtf8(t.japanese);
        return {};
    }
    bool isEmpty() const override { return false; }
};

} // namespace

QStringList qtTranslationsFolders() {
    const QString programDir = QCoreApplication::applicationDirPath();
    return {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
            programDir + QStringLiteral("/translations"),
            programDir + QStringLiteral("/../share/tenvoll/translations")};
}

bool installJapaneseQtTranslations() {
    // Dates and sizes in the dialogs read as a Japanese desktop shows them.
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    // Translators installed later are asked first: Qt's own texts, then these.
    QCoreApplication::installTranslator(new MissingQtTexts(QCoreApplication::instance()));
    auto* translator = new QTranslator(QCoreApplication::instance());
    for (const QString& folder : qtTranslationsFolders()) {
        if (translator->load(QStringLiteral("qtbase_ja"), folder)) {
            QCoreApplication::installTranslator(translator);
            return true;
        }
    }
    delete translator;
    return false;
}

} // namespace tenvoll
