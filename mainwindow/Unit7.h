// TForm7, the window "設定": the UP and DOWN highlight colour pairs. A choice
// is held at once in the program state's colours (closing does not undo it);
// "更新" makes the windows showing grids repaint with them.
#pragma once

#include "league/Settings.h"

#include <QDialog>

class QComboBox;
class QLabel;

namespace tenvoll {

class ProgramState;

class TForm7 : public QDialog {
    Q_OBJECT
public:
    explicit TForm7(ProgramState& state, QWidget* parent = nullptr);

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

    ProgramState& state_;
    HighlightColours colours_; // as chosen here, held in the state at every choice
    QComboBox* choosers_[4] = {};
    QLabel* samples_[2] = {};
};

} // namespace tenvoll
