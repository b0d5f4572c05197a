// QAbstractItemModelTester whose findings fail the running test: the tester
// reports through Qt's "qt.modeltest" log category, which this collects while
// it lives and turns into a failure of the test.
#pragma once

#include <QAbstractItemModelTester>
#include <QLoggingCategory>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <memory>

#include <gtest/gtest.h>

namespace tenvoll::test {

class CheckedModelTester {
public:
    explicit CheckedModelTester(QAbstractItemModel* model) {
        findings().clear();
        previousHandler() = qInstallMessageHandler(&collect);
        tester_ = std::make_unique<QAbstractItemModelTester>(
            model, QAbstractItemModelTester::FailureReportingMode::Warning);
    }
    ~CheckedModelTester() {
        tester_.reset();
        qInstallMessageHandler(previousHandler());
        if (!findings().isEmpty())
            ADD_FAILURE() << "model tester: "
                          << findings().join(QStringLiteral("\n")).toStdString();
        findings().clear();
    }
    CheckedModelTester(const CheckedModelTester&) = delete;
    CheckedModelTester& operator=(const CheckedModelTester&) = delete;

private:
    static QStringList& findings() {
        static QStringList list;
        return list;
    }
    static void collect(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (context.category && QLatin1String(context.category) == QLatin1String("qt.modeltest") &&
            type != QtDebugMsg && type != QtInfoMsg) {
            findings() << text;
            return;
        }
        if (previousHandler())
            previousHandler()(type, context, text);
        else
            std::fputs(qPrintable(qFormatLogMessage(type, context, text) + QLatin1Char('\n')),
                       stderr);
    }
    static QtMessageHandler& previousHandler() {
        static QtMessageHandler handler = nullptr;
        return handler;
    }

    std::unique_ptr<QAbstractItemModelTester> tester_;
};

} // namespace tenvoll::test
