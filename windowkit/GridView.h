// A table view used as a string grid: whole-row selection, fixed column widths
// given at 96 dpi and scaled to the screen, compact rows, and one signal for
// "this row was chosen" (Enter or a double click). The given widths are the
// least: whenever the model's content changes, every column of numbers (cells
// aligned right or centred) grows to its widest value, so that no number is
// shown cut; text columns grow likewise up to a most width, beyond which the
// delegate elides the text and the cell's tooltip shows it whole.
#pragma once

#include <QFont>
#include <QHash>
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

    // Column widths in pixels at 96 dpi: the least width of each column.
    void setColumnWidths96(const std::vector<int>& widths);
    // The least width of one column in pixels of the screen.
    void setLeastColumnWidth(int column, int width);
    // Widens the number columns to their widest value of the current content
    // (the column of a shown sort arrow to its caption with the arrow) and
    // gives every other column its least width back.
    void fitColumnsToValues();
    void setModel(QAbstractItemModel* model) override;
    // Grows or shrinks the view to show every row and column without scroll bars.
    void fitToContents();
    // Lets the user drag the column borders. A width the user set is kept
    // through every later content change (a fitted view follows its columns).
    void setUserResizable(bool on);
    // The widths the user set, 0 for a column he did not touch; and setting
    // them back (a remembered layout).
    std::vector<int> userColumnWidths() const { return userWidths_; }
    void setUserColumnWidths(const std::vector<int>& widths);
    int scaled(int pixels96) const;
    // Width of a name column: wide enough for a 16-byte name (8 full-width characters).
    int nameColumnWidth() const;
    // The most a text column grows to for its values.
    int mostTextColumnWidth() const;

signals:
    void rowChosen(int row);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    void userResized(int column, int newSize);
    // cellTextWidth of a value, remembered per text for the view's font: every
    // content change measures each cell again, and most texts (grades, small
    // numbers, the names of a team shown before) recur.
    int valueWidth(const QFontMetrics& metrics, const QString& text);

    std::vector<int> leastWidths_;
    std::vector<int> userWidths_;
    bool fittingColumns_ = false; // the program, not the user, is setting widths
    bool fittedSize_ = false;     // fitToContents was asked: keep the size fitted
    QHash<QString, int> valueWidths_;
    QFont valueWidthsFont_; // the font valueWidths_ and mostTextWidth_ were measured in
    int mostTextWidth_ = 0;
};

// Where a cell's text is drawn inside the cell.
QRect cellTextArea(const QRect& cell);

// Column width a grid cell's text needs to be shown whole in the given font:
// its advance plus the grid line and the text area's margins.
int cellTextWidth(const QFontMetrics& metrics, const QString& text);

} // namespace tenvoll
