// A dialog implementation for window tests: records every message and
// question, and answers questions, input boxes and file dialogs from queues
// the test fills in advance (an empty queue answers "cancel" / "no").
#pragma once

#include "windowkit/UserDialogs.h"

#include <QQueue>

namespace tenvoll::test {

class RecordingDialogs : public UserDialogs {
public:
    RecordingDialogs() { setDialogs(this); }
    ~RecordingDialogs() override { setDialogs(nullptr); }

    QStringList messages;         // texts of message boxes, in order
    QStringList details;          // their particulars
    QList<MessageKind> kinds;     // how each message box presented itself
    QStringList questions;        // texts of yes/no questions
    QList<DefaultAnswer> presets; // the answer each question's Enter gives
    QStringList proposedSaveNames;
    QList<QUrl> opened; // addresses handed to the shell

    QStringList choices;      // texts of the questions with several answers
    QList<int> choicePresets; // the option each one's Enter gives
    QStringList aboutTexts;   // about boxes: text, then particulars
    QQueue<bool> questionAnswers;
    QQueue<int> choiceAnswers; // an empty queue answers with the last option
    QQueue<std::optional<QString>> inputAnswers;
    QQueue<std::optional<QString>> fileAnswers; // open, save and folder dialogs
    QQueue<std::optional<QColor>> colourAnswers;

    void message(QWidget*, const QString& text, const QString& detail, MessageKind kind) override {
        messages << text;
        details << detail;
        kinds << kind;
    }
    bool question(QWidget*, const QString& text, DefaultAnswer preset) override {
        questions << text;
        presets << preset;
        return questionAnswers.isEmpty() ? false : questionAnswers.dequeue();
    }
    int choice(QWidget*, const QString& text, const QString&, const QStringList& options,
               int preset) override {
        choices << text;
        choicePresets << preset;
        lastOptions = options;
        return choiceAnswers.isEmpty() ? int(options.size()) - 1 : choiceAnswers.dequeue();
    }
    void about(QWidget*, const QString& text, const QString& detail) override {
        aboutTexts << text << detail;
    }
    std::optional<QString> inputText(QWidget*, const QString&, const QString&, const QString&,
                                     int) override {
        return inputAnswers.isEmpty() ? std::nullopt : inputAnswers.dequeue();
    }
    std::optional<QString> openFileName(QWidget*, const QString&,
                                        const QList<FileFilter>& f) override {
        lastFilters = f;
        return nextFile();
    }
    std::optional<QString> saveFileName(QWidget*, const QString& proposed, const QString& suffix,
                                        const QList<FileFilter>& f) override {
        lastFilters = f;
        proposedSaveNames << proposed;
        lastSuffix = suffix;
        return nextFile();
    }
    std::optional<QString> folderName(QWidget*, const QString&, const QString&) override {
        return nextFile();
    }
    QList<QColor> colourStarts; // the colour each colour dialog opened at
    std::optional<QColor> colour(QWidget*, const QColor& initial) override {
        colourStarts << initial;
        return colourAnswers.isEmpty() ? std::nullopt : colourAnswers.dequeue();
    }
    bool openExternally(const QUrl& url) override {
        opened << url;
        return canOpenExternally;
    }
    bool canOpenExternally = true; // false: no browser or viewer on the desktop

    QList<FileFilter> lastFilters;
    QStringList lastOptions;
    QString lastSuffix;

private:
    std::optional<QString> nextFile() {
        return fileAnswers.isEmpty() ? std::nullopt : fileAnswers.dequeue();
    }
};

} // namespace tenvoll::test
