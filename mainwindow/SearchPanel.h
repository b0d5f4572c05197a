// The search panel "検索設定" of the main window: the statistic to rank by
// (RadioGroup1), the player kinds (RadioGroup2), the qualification
// restriction (RadioGroup3), the order (RadioGroup4), career totals
// (CheckBox2), name search (CheckBox1), the search text with its history
// (ComboBox3) and "検索開始" (Button3). It keeps its controls consistent; the
// main window runs the searches.
#pragma once

#include "mainwindow/Ranking.h"

#include <QGroupBox>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QPushButton;

namespace tenvoll {

class SearchPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit SearchPanel(QWidget* parent = nullptr);

    RankingOptions options() const;
    bool nameSearch() const;
    QString searchText() const;
    QString itemText() const;
    // Puts the text at the top of the history (once).
    void rememberSearchText();
    void setSearchText(const QString& text);

    QPushButton* startButton() const { return Button3; }
    QCheckBox* nameSearchBox() const { return CheckBox1; }
    QCheckBox* careerBox() const { return CheckBox2; }
    QComboBox* searchTextBox() const { return ComboBox3; }
    QButtonGroup* itemGroup() const { return items_; }
    QButtonGroup* restrictionGroup() const { return restriction_; }
    QButtonGroup* orderGroup() const { return order_; }
    QButtonGroup* playersGroup() const { return players_; }

signals:
    void searchRequested();
    // "選手名検索" checked or unchecked.
    void nameSearchToggled(bool on);
    // The sort direction chosen in "並べ替え" (after any click on the ranking groups).
    void orderChosen(RankingOrder order);
    // The search text changed (the list repaints its highlight).
    void searchTextEdited(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QGroupBox* radioGroup(const QString& objectName, const QString& title, const QStringList& items,
                          int checked, QButtonGroup*& group, int columns = 1);
    void rankingGroupClicked();

    QGroupBox* RadioGroup1 = nullptr;
    QGroupBox* RadioGroup2 = nullptr;
    QGroupBox* RadioGroup3 = nullptr;
    QGroupBox* RadioGroup4 = nullptr;
    QButtonGroup* items_ = nullptr;
    QButtonGroup* players_ = nullptr;
    QButtonGroup* restriction_ = nullptr;
    QButtonGroup* order_ = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QCheckBox* CheckBox2 = nullptr;
    QComboBox* ComboBox3 = nullptr;
    QPushButton* Button3 = nullptr;
};

} // namespace tenvoll
