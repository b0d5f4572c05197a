// TForm6, the window "開幕オーダー": one team's next-season line-up built by
// drags between three lists (the order, another team, the unsigned players),
// pop-up menus for positions and newcomers, and the editable manager grid;
// "来期オーダ作成" writes the next-season copy. Not modal. While it is open
// the main window's two team stores hold the ordering team's copy and the
// other team; when it closes the main window shows its panes' files again.
#pragma once

#include "export/OpeningOrder.h"
#include "windowkit/ProgramState.h"

#include <QDialog>
#include <QPointer>

#include <array>
#include <vector>

class QAbstractItemView;
class QAction;
class QComboBox;
class QLabel;
class QListView;
class QMenu;
class QPushButton;
class QStackedWidget;
class QTableWidget;
class QTimer;
class QTreeView;

namespace tenvoll {

class OrderListModel;
class TimedStatusBar;

class TForm6 : public QDialog {
    Q_OBJECT
public:
    explicit TForm6(ProgramState& state, QWidget* parent = nullptr);
    ~TForm6() override;

    // The team boxes (entry = position in the box).
    void chooseOrderingTeam(int entry);
    void chooseOtherTeam(int entry);
    // A drop of `sourceRow` of `source` onto order-list row `targetRow`.
    void dropRow(OrderList source, int sourceRow, int targetRow);
    // A position entry of the order list's pop-up menu on the selected row.
    void setSelectedPosition(std::string_view code);
    // "新人選手を追加" / "新外国人選手を追加".
    void enterNewcomer(NewcomerKind kind);
    // Enter in the manager grid.
    void checkManagerGrid();
    // "来期オーダ作成".
    void writeOrder();
    // Double click (or Enter) on a row.
    void rowChosen(OrderList list, int row);
    // "表示モード切替".
    void toggleViewMode(OrderList list);
    void showStatus(const QString& text);

    const OpeningOrder& order() const { return order_; }
    OrderListModel* model(OrderList list) const;
    QTreeView* reportView(OrderList list) const;
    QListView* iconView(OrderList list) const;
    bool showsReport(OrderList list) const;
    QComboBox* orderingTeamBox() const { return teamBox_; }
    QComboBox* otherTeamBox() const { return otherTeamBox_; }
    QComboBox* toolBox() const { return toolBox_; }
    QTableWidget* managerGrid() const { return managerGrid_; }
    QPushButton* writeButton() const { return writeButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }
    QMenu* popupMenu(OrderList list) const;
    QString statusText() const;

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Shows the order's store of a team in the pane's place (the detail window reads it).
    void publishStore(PaneSide side);
    struct ListWidgets {
        OrderListModel* model = nullptr;
        QStackedWidget* stack = nullptr;
        QTreeView* report = nullptr;
        QListView* icons = nullptr;
        QMenu* menu = nullptr;
    };
    QWidget* buildList(OrderList list, const QString& caption, QComboBox* teamBox);
    void buildMenus();
    QWidget* buildManagerGrid();
    void fillTeamBoxes();
    void showManagers();
    void managerCellEdited(int row, int column);
    int selectedOrderRow() const;
    void updatePositionActions();
    void refreshLists();
    void lendStoresBack();
    ListWidgets& widgets(OrderList list) { return lists_[static_cast<std::size_t>(list)]; }
    const ListWidgets& widgets(OrderList list) const {
        return lists_[static_cast<std::size_t>(list)];
    }

    ProgramState& state_;
    QPointer<ProgramState> stateGuard_;
    OpeningOrder order_;
    std::vector<OrderTeam> teams_;
    int orderingEntry_ = -1;
    int otherEntry_ = -1;
    bool open_ = true;
    bool fillingManagers_ = false;

    std::array<ListWidgets, 3> lists_{};
    std::vector<QAction*> positionActions_;
    QComboBox* teamBox_ = nullptr;
    QComboBox* otherTeamBox_ = nullptr;
    QComboBox* toolBox_ = nullptr;
    QTableWidget* managerGrid_ = nullptr;
    QPushButton* writeButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    TimedStatusBar* statusBar_ = nullptr;
};

} // namespace tenvoll
