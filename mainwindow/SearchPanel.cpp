// Search panel controls and their rules.
#include "mainwindow/SearchPanel.h"

#include "windowkit/GridView.h"
#include "windowkit/QtText.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace tenvoll {

SearchPanel::SearchPanel(QWidget* parent) : QGroupBox(QStringLiteral("検索設定"), parent) {
    setObjectName(QStringLiteral("SearchPanel"));
    // Compact, so that the window with its 30 statistics still fits a 768-pixel screen.
    setFont(gridFont());
    QStringList itemTexts;
    for (auto item : rankingItems())
        itemTexts << qs(item);
    RadioGroup1 = radioGroup(QStringLiteral("RadioGroup1"), QStringLiteral("対象成績"), itemTexts,
                             0, items_, 2);
    RadioGroup3 = radioGroup(QStringLiteral("RadioGroup3"), QStringLiteral("規定数での制限"),
                             {QStringLiteral("制限なし"), QStringLiteral("打席数、投球回数で制限")},
                             1, restriction_);
    RadioGroup4 = radioGroup(QStringLiteral("RadioGroup4"), QStringLiteral("並べ替え"),
                             {QStringLiteral("昇順"), QStringLiteral("降順")}, 1, order_);
    RadioGroup2 = radioGroup(
        QStringLiteral("RadioGroup2"), QStringLiteral("対象選手"),
        {QStringLiteral("全選手"), QStringLiteral("現役選手"), QStringLiteral("引退選手")}, 0,
        players_);
    CheckBox2 = new QCheckBox(QStringLiteral("通算成績"), this);
    CheckBox2->setObjectName(QStringLiteral("CheckBox2"));
    CheckBox1 = new QCheckBox(QStringLiteral("選手名検索"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    ComboBox3 = new QComboBox(this);
    ComboBox3->setObjectName(QStringLiteral("ComboBox3"));
    ComboBox3->setEditable(true);
    ComboBox3->setInsertPolicy(QComboBox::NoInsert);
    ComboBox3->installEventFilter(this);
    ComboBox3->lineEdit()->installEventFilter(this);
    Button3 = new QPushButton(QStringLiteral("検索開始(&G)"), this);
    Button3->setObjectName(QStringLiteral("Button3"));

    for (QButtonGroup* g : {items_, restriction_, order_})
        connect(g, &QButtonGroup::idClicked, this, [this](int) { rankingGroupClicked(); });
    connect(CheckBox1, &QCheckBox::toggled, this, [this](bool on) {
        for (QWidget* w : {static_cast<QWidget*>(RadioGroup1), static_cast<QWidget*>(RadioGroup3),
                           static_cast<QWidget*>(RadioGroup4), static_cast<QWidget*>(CheckBox2)})
            w->setEnabled(!on);
        if (on) {
            CheckBox2->setChecked(false);
            // The old text is selected, so that typing a name replaces it.
            ComboBox3->setFocus();
            ComboBox3->lineEdit()->selectAll();
        } else {
            RadioGroup3->setEnabled(!CheckBox2->isChecked());
            if (ComboBox3->count() > 0)
                ComboBox3->setCurrentIndex(0);
        }
        emit nameSearchToggled(on);
    });
    // Career totals need no qualification: the restriction's choice stays but is not offered.
    connect(CheckBox2, &QCheckBox::toggled, this,
            [this](bool on) { RadioGroup3->setEnabled(!on && !CheckBox1->isChecked()); });
    connect(Button3, &QPushButton::clicked, this, &SearchPanel::searchRequested);
    connect(ComboBox3, &QComboBox::currentTextChanged, this, &SearchPanel::searchTextEdited);

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(4);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->addWidget(RadioGroup1);
    auto* row = new QHBoxLayout;
    row->addWidget(RadioGroup3);
    row->addWidget(RadioGroup4);
    layout->addLayout(row);
    layout->addWidget(RadioGroup2);
    auto* checks = new QHBoxLayout;
    checks->addWidget(CheckBox2);
    checks->addWidget(CheckBox1);
    layout->addLayout(checks);
    layout->addWidget(ComboBox3);
    layout->addWidget(Button3);
    layout->addStretch(1);
}

QGroupBox* SearchPanel::radioGroup(const QString& objectName, const QString& title,
                                   const QStringList& texts, int checked, QButtonGroup*& group,
                                   int columns) {
    auto* box = new QGroupBox(title, this);
    box->setObjectName(objectName);
    group = new QButtonGroup(box);
    auto* grid = new QGridLayout(box);
    grid->setVerticalSpacing(0);
    grid->setContentsMargins(6, 2, 6, 2);
    const int perColumn = (static_cast<int>(texts.size()) + columns - 1) / columns;
    for (int i = 0; i < texts.size(); ++i) {
        auto* button = new QRadioButton(texts[i], box);
        group->addButton(button, i);
        grid->addWidget(button, i % perColumn, i / perColumn);
        if (i == checked)
            button->setChecked(true);
    }
    return box;
}

void SearchPanel::rankingGroupClicked() {
    CheckBox1->setChecked(false);
    emit orderChosen(order_->checkedId() == 0 ? RankingOrder::Ascending : RankingOrder::Descending);
}

RankingOptions SearchPanel::options() const {
    RankingOptions o;
    o.item = std::max(0, items_->checkedId());
    o.restricted = restriction_->checkedId() == 1;
    o.order = order_->checkedId() == 0 ? RankingOrder::Ascending : RankingOrder::Descending;
    o.players = static_cast<RankingPlayers>(std::max(0, players_->checkedId()));
    o.career = CheckBox2->isChecked();
    return o;
}

bool SearchPanel::nameSearch() const {
    return CheckBox1->isChecked();
}

QString SearchPanel::searchText() const {
    return ComboBox3->currentText();
}

QString SearchPanel::itemText() const {
    return qs(rankingItems()[static_cast<std::size_t>(options().item)]);
}

void SearchPanel::rememberSearchText() {
    const QString text = ComboBox3->currentText();
    if (text.isEmpty())
        return;
    int existing = ComboBox3->findText(text);
    if (existing >= 0)
        ComboBox3->removeItem(existing);
    ComboBox3->insertItem(0, text);
    ComboBox3->setCurrentIndex(0);
}

void SearchPanel::setSearchText(const QString& text) {
    ComboBox3->setEditText(text);
}

bool SearchPanel::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == ComboBox3 || watched == ComboBox3->lineEdit()) &&
        event->type() == QEvent::FocusIn) {
        // After the click that gave the focus, which would place the cursor instead.
        QTimer::singleShot(0, ComboBox3->lineEdit(), &QLineEdit::selectAll);
    }
    if (watched == ComboBox3->lineEdit() && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            rememberSearchText();
    }
    return QGroupBox::eventFilter(watched, event);
}

} // namespace tenvoll
