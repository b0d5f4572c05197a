// Owner drawing of marked grid cells.
#include "windowkit/MarkedCellDelegate.h"

#include "windowkit/GridView.h"

#include <QApplication>
#include <QPainter>

namespace tenvoll {

QColor toQColor(ColourValue v) {
    return QColor(redOf(v), greenOf(v), blueOf(v));
}

ColourValue fromQColor(const QColor& c) {
    return colourFromRgb(static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
                         static_cast<std::uint8_t>(c.blue()));
}

MarkedCellDelegate::MarkedCellDelegate(const HighlightColours& colours, int markRole,
                                       QObject* parent)
    : QStyledItemDelegate(parent), colours_(colours), markRole_(markRole) {}

void MarkedCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    const auto mark = static_cast<Mark>(index.data(markRole_).toInt());
    const bool selected = option.state & QStyle::State_Selected;
    QColor background, text;
    switch (mark) {
    case Mark::Up:
        background = toQColor(colours_.upBackground);
        text = toQColor(colours_.upText);
        break;
    case Mark::Down:
        background = toQColor(colours_.downBackground);
        text = toQColor(colours_.downText);
        break;
    case Mark::Career:
        // Inactive-caption colours of the classic desktop palette.
        background = QColor(0xBF, 0xCD, 0xDB);
        text = QColor(0x00, 0x00, 0x00);
        break;
    case Mark::None:
        background = option.palette.color(selected ? QPalette::Highlight : QPalette::Base);
        text = option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
        break;
    }
    painter->save();
    painter->fillRect(option.rect, background);
    if (selected && mark != Mark::None) {
        // A marked cell keeps its colours; a frame shows the selected row.
        painter->setPen(option.palette.color(QPalette::Highlight));
        painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
    }
    painter->setPen(text);
    painter->setFont(option.font);
    const QRect area = cellTextArea(option.rect);
    const int align = index.data(Qt::TextAlignmentRole).toInt();
    painter->setClipRect(option.rect);
    // A text wider than its column ends in "…"; number columns are sized so
    // that their values always fit whole.
    const QString shown =
        QFontMetrics(option.font)
            .elidedText(index.data(Qt::DisplayRole).toString(), Qt::ElideRight, area.width());
    painter->drawText(area, align == 0 ? int(Qt::AlignLeft | Qt::AlignTop) : align, shown);
    painter->restore();
}

} // namespace tenvoll
