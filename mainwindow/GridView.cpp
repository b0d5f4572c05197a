// String-grid behaviour of a table view.
#include "mainwindow/GridView.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>

#include <algorithm>

namespace tenvoll {

QFont gridFont() {
    QFont font = QApplication::font();
    font.setPointSizeF(8);
    return font;
}

GridView::GridView(QWidget* parent) : QTableView(parent) {
    setFont(gridFont());
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    connect(this, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { emit rowChosen(index.row()); });
}

int GridView::scaled(int pixels96) const {
    // The widths were laid out for three digits in a 20-pixel column at 96 dpi;
    // a font with wider digits widens every column by the same factor.
    const double dpiFactor = logicalDpiX() / 96.0;
    const double digitFactor = (fontMetrics().horizontalAdvance(QStringLiteral("000")) + 3) / 20.0;
    return static_cast<int>(pixels96 * std::max(dpiFactor, digitFactor) + 0.5);
}

int GridView::nameColumnWidth() const {
    return fontMetrics().horizontalAdvance(QStringLiteral("長い名前の選手名")) + 6;
}

void GridView::setColumnWidths96(const std::vector<int>& widths) {
    for (std::size_t c = 0; c < widths.size(); ++c)
        setColumnWidth(static_cast<int>(c), scaled(widths[c]));
    const int rowHeight = fontMetrics().height() + 2;
    verticalHeader()->setDefaultSectionSize(rowHeight);
    horizontalHeader()->setFixedHeight(rowHeight + 2);
}

void GridView::fitToContents() {
    int width = 2 * frameWidth();
    for (int c = 0; model() && c < model()->columnCount(); ++c)
        width += columnWidth(c);
    int height = 2 * frameWidth() + horizontalHeader()->height();
    for (int r = 0; model() && r < model()->rowCount(); ++r)
        height += rowHeight(r);
    setFixedSize(width, height);
}

void GridView::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        currentIndex().isValid()) {
        emit rowChosen(currentIndex().row());
        return;
    }
    QTableView::keyPressEvent(event);
}

} // namespace tenvoll
