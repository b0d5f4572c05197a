// The window of 「Webページ出力…」: asks for the output folder, writes the
// current league's pages with a progress bar and a stop button, and tells
// what was written. Modal; the engine is report/LeagueReport.h.
#pragma once

#include "report/LeagueReport.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace tenvoll {

class ProgramState;

class ReportWindow : public QDialog {
    Q_OBJECT
public:
    ReportWindow(ProgramState& state, QWidget* parent = nullptr);

    // Writes the pages into `folder`; false when nothing could be written.
    bool writeInto(const QString& folder);
    // The stop button's action: the run ends after the page being written.
    void requestStop() { stopRequested_ = true; }

    QProgressBar* progressBar() const { return bar_; }
    QPushButton* stopButton() const { return stop_; }
    const report::ReportOutcome& outcome() const { return outcome_; }

protected:
    // Esc stops the run as the stop button does; the window closes when it ends.
    void reject() override { requestStop(); }

private:
    friend class ReportWindowProgress;
    ProgramState& state_;
    QLabel* status_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QPushButton* stop_ = nullptr;
    bool stopRequested_ = false;
    report::ReportOutcome outcome_;
};

// Asks for the folder and runs the window (the main window's menu action).
void openReportWindow(ProgramState& state, QWidget* parent);
// Lets the main window's menu open the window.
void registerReportWindow();

} // namespace tenvoll
