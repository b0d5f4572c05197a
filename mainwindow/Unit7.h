// TForm7, the window "設定": the UP and DOWN highlight colour pairs. A choice
// takes effect at once in the held colours (closing does not undo it);
// "更新" repaints the main window's grids.
#pragma once

#include "league/Settings.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QLabel;

namespace tenvoll {

class TForm7 : public QDialog {
    Q_OBJECT
public:
    // `colours` are the main window's held colours, changed in place.
    TForm7(HighlightColours& colours, std::function<void()> repaintGrids,
           QWidget* parent = nullptr);

    QComboBox* chooser(int index) const { return choosers_[index]; }
    QLabel* sample(int pair) const { return samples_[pair]; }

private:
    struct Member {
        ColourValue HighlightColours::*value;
        int pair;        // 0 UP, 1 DOWN
        bool background; // background or text
    };
    static const Member kMembers[4];

    void fillChooser(int index);
    void chooserActivated(int index, int item);
    void updateSamples();

    HighlightColours& colours_;
    std::function<void()> repaintGrids_;
    QComboBox* choosers_[4] = {};
    QLabel* samples_[2] = {};
};

} // namespace tenvoll
