// String-grid behaviour of a table view.
#include "windowkit/GridView.h"

#include <QApplication>
#include <QHash>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QProxyStyle>
#include <QStyleOptionHeader>
#include <QToolTip>

#include <algorithm>
#include <utility>

namespace tenvoll {

QFont gridFont() {
    QFont font = QApplication::font();
    font.setPointSizeF(8);
    return font;
}

namespace {

// The grid's captions without the style's margins beside them: a column one
// grade wide holds one full-width caption (捕, 遊) that the Windows style
// clipped at both sides inside its margins. The column sorted by keeps them,
// so that its arrow stays clear of the caption.
class TightHeaderStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        if (metric == PM_HeaderMargin) {
            const auto* header = qstyleoption_cast<const QStyleOptionHeader*>(option);
            if (header && header->sortIndicator == QStyleOptionHeader::None)
                return 0;
        }
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

} // namespace

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
    auto* headerStyle = new TightHeaderStyle; // the application's style otherwise
    headerStyle->setParent(horizontalHeader());
    horizontalHeader()->setStyle(headerStyle);
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

int GridView::mostTextColumnWidth() const {
    // Twice a name column: a team name with its suffix, a file path's end.
    return 2 * nameColumnWidth();
}

QRect cellTextArea(const QRect& cell) {
    return cell.adjusted(2, 2, -1, 0);
}

int cellTextWidth(const QFontMetrics& metrics, const QString& text) {
    // The cell is the column less its grid line; the text area leaves 3 pixels
    // of it; one more pixel absorbs the advance's fractions.
    return metrics.horizontalAdvance(text) + 1 + 3 + 2;
}

namespace {
// Bound of the remembered widths: several leagues' worth of names and values.
constexpr qsizetype kMostRememberedWidths = 8192;
} // namespace

int GridView::valueWidth(const QFontMetrics& metrics, const QString& text) {
    if (auto it = valueWidths_.constFind(text); it != valueWidths_.constEnd())
        return *it;
    if (valueWidths_.size() >= kMostRememberedWidths)
        valueWidths_.clear();
    const int width = cellTextWidth(metrics, text);
    valueWidths_.insert(text, width);
    return width;
}

void GridView::setColumnWidths96(const std::vector<int>& widths) {
    leastWidths_.clear();
    for (int w : widths)
        leastWidths_.push_back(scaled(w));
    const int rowHeight = fontMetrics().height() + 2;
    verticalHeader()->setDefaultSectionSize(rowHeight);
    horizontalHeader()->setFixedHeight(rowHeight + 2);
    fitColumnsToValues();
}

void GridView::setLeastColumnWidth(int column, int width) {
    if (column < 0)
        return;
    if (static_cast<std::size_t>(column) >= leastWidths_.size())
        leastWidths_.resize(static_cast<std::size_t>(column) + 1, 0);
    leastWidths_[static_cast<std::size_t>(column)] = width;
    fitColumnsToValues();
}

void GridView::setModel(QAbstractItemModel* newModel) {
    if (model())
        disconnect(model(), nullptr, this, nullptr);
    QTableView::setModel(newModel);
    if (!newModel)
        return;
    auto refit = [this] {
        fitColumnsToValues();
        if (fittedSize_)
            fitToContents();
    };
    connect(newModel, &QAbstractItemModel::modelReset, this, refit);
    connect(newModel, &QAbstractItemModel::layoutChanged, this, refit);
    connect(newModel, &QAbstractItemModel::rowsInserted, this, refit);
    connect(newModel, &QAbstractItemModel::rowsRemoved, this, refit);
    // A change of marks or colours alone leaves the texts and their widths.
    connect(newModel, &QAbstractItemModel::dataChanged, this,
            [refit](const QModelIndex&, const QModelIndex&, const QList<int>& roles) {
                if (roles.isEmpty() || roles.contains(Qt::DisplayRole))
                    refit();
            });
}

void GridView::fitColumnsToValues() {
    QAbstractItemModel* m = model();
    if (!m)
        return;
    const QFontMetrics metrics(font());
    if (valueWidthsFont_ != font() || mostTextWidth_ == 0) {
        valueWidths_.clear();
        valueWidthsFont_ = font();
        mostTextWidth_ = mostTextColumnWidth();
    }
    const bool wasFitting = std::exchange(fittingColumns_, true);
    const int columns = m->columnCount();
    const int rows = m->rowCount();
    const int mostText = mostTextWidth_;
    for (int c = 0; c < columns; ++c) {
        const auto ci = static_cast<std::size_t>(c);
        if (ci < userWidths_.size() && userWidths_[ci] > 0) {
            setColumnWidth(c, userWidths_[ci]);
            continue;
        }
        int width = ci < leastWidths_.size() ? leastWidths_[ci] : columnWidth(c);
        // The column sorted by also holds its caption beside the sort arrow.
        const QHeaderView* header = horizontalHeader();
        if (header->isSortIndicatorShown() && header->sortIndicatorSection() == c)
            width = std::max(width, header->sectionSizeHint(c));
        // Digits are about equally wide: only the longest numbers are measured.
        qsizetype longest = 0;
        int widest = 0;
        int widestText = 0;
        for (int r = 0; r < rows; ++r) {
            const QModelIndex index = m->index(r, c);
            const int align = index.data(Qt::TextAlignmentRole).toInt();
            const QString text = index.data(Qt::DisplayRole).toString();
            if (!(align & (Qt::AlignRight | Qt::AlignHCenter))) {
                if (!text.isEmpty() && widestText < mostText)
                    widestText = std::max(widestText, valueWidth(metrics, text));
                continue;
            }
            if (text.size() + 1 < longest)
                continue;
            longest = std::max(longest, text.size());
            widest = std::max(widest, valueWidth(metrics, text));
        }
        widest = std::max(widest, std::min(widestText, std::max(width, mostText)));
        setColumnWidth(c, std::max(width, widest));
    }
    fittingColumns_ = wasFitting;
}

void GridView::setUserResizable(bool on) {
    horizontalHeader()->setSectionResizeMode(on ? QHeaderView::Interactive : QHeaderView::Fixed);
    disconnect(horizontalHeader(), &QHeaderView::sectionResized, this, nullptr);
    if (on)
        connect(horizontalHeader(), &QHeaderView::sectionResized, this,
                [this](int column, int, int newSize) { userResized(column, newSize); });
}

void GridView::userResized(int column, int newSize) {
    if (fittingColumns_ || column < 0)
        return;
    const auto ci = static_cast<std::size_t>(column);
    if (ci >= userWidths_.size())
        userWidths_.resize(ci + 1, 0);
    userWidths_[ci] = newSize;
    if (fittedSize_)
        fitToContents();
}

void GridView::setUserColumnWidths(const std::vector<int>& widths) {
    userWidths_.clear();
    for (int w : widths)
        userWidths_.push_back(std::max(0, w));
    fitColumnsToValues();
    if (fittedSize_)
        fitToContents();
}

void GridView::fitToContents() {
    fittedSize_ = true;
    int width = 2 * frameWidth();
    for (int c = 0; model() && c < model()->columnCount(); ++c)
        width += columnWidth(c);
    int height = 2 * frameWidth() + horizontalHeader()->height();
    for (int r = 0; model() && r < model()->rowCount(); ++r)
        height += rowHeight(r);
    setFixedSize(width, height);
}

bool GridView::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip && model()) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QModelIndex index = indexAt(help->pos());
        // A tooltip of the model's own comes first.
        if (index.isValid() && !index.data(Qt::ToolTipRole).isValid()) {
            const QString text = index.data(Qt::DisplayRole).toString();
            const QRect cell = visualRect(index);
            if (cellTextWidth(QFontMetrics(font()), text) > cell.width())
                QToolTip::showText(help->globalPos(), text, viewport(), cell);
            else
                QToolTip::hideText();
            return true;
        }
    }
    return QTableView::viewportEvent(event);
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
