// A table view used as a string grid: whole-row selection, fixed column widths
// given at 96 dpi and scaled to the screen, compact rows, and one signal for
// "this row was chosen" (Enter or a double click).
#pragma once

#include <QTableView>

#include <vector>

namespace tenvoll {

// The compact font of the grids: the design's column widths hold three digits
// or a rate such as ".350" in this size.
QFont gridFont();

class GridView : public QTableView {
    Q_OBJECT
public:
    explicit GridView(QWidget* parent = nullptr);

    // Column widths in pixels at 96 dpi.
    void setColumnWidths96(const std::vector<int>& widths);
    // Grows or shrinks the view to show every row and column without scroll bars.
    void fitToContents();
    int scaled(int pixels96) const;
    // Width of a name column: wide enough for a 16-byte name (8 full-width characters).
    int nameColumnWidth() const;

signals:
    void rowChosen(int row);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace tenvoll
