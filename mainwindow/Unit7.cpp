// Highlight colour settings window.
#include "mainwindow/Unit7.h"

#include "windowkit/MarkedCellDelegate.h"
#include "windowkit/ProgramState.h"
#include "windowkit/QtText.h"
#include "windowkit/UserDialogs.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace tenvoll {

namespace {
constexpr int kCustomItem = -1; // item data of "その他の色..."
}

const TForm7::Member TForm7::kMembers[4] = {
    {&HighlightColours::upBackground, 0, true},
    {&HighlightColours::upText, 0, false},
    {&HighlightColours::downBackground, 1, true},
    {&HighlightColours::downText, 1, false},
};

TForm7::TForm7(ProgramState& state, QWidget* parent)
    : QDialog(parent), state_(state), colours_(state.colours()) {
    setObjectName(QStringLiteral("TForm7"));
    setWindowTitle(QStringLiteral("設定"));
    auto* layout = new QVBoxLayout(this);
    const QString groupCaptions[2] = {QStringLiteral("強調表示　【UP】"),
                                      QStringLiteral("強調表示　【DOWN】")};
    for (int pair = 0; pair < 2; ++pair) {
        auto* group = new QGroupBox(groupCaptions[pair], this);
        auto* form = new QFormLayout(group);
        for (int i = 0; i < 4; ++i) {
            if (kMembers[i].pair != pair)
                continue;
            choosers_[i] = new QComboBox(group);
            choosers_[i]->setObjectName(QStringLiteral("ColourChooser%1").arg(i));
            fillChooser(i);
            connect(choosers_[i], &QComboBox::activated, this,
                    [this, i](int item) { chooserActivated(i, item); });
            form->addRow(kMembers[i].background ? QStringLiteral("背景色")
                                                : QStringLiteral("文字色"),
                         choosers_[i]);
        }
        samples_[pair] = new QLabel(QStringLiteral("サンプル表示"), group);
        samples_[pair]->setObjectName(pair == 0 ? QStringLiteral("UpSample")
                                                : QStringLiteral("DownSample"));
        samples_[pair]->setAlignment(Qt::AlignCenter);
        samples_[pair]->setAutoFillBackground(true);
        samples_[pair]->setMinimumHeight(28);
        form->addRow(samples_[pair]);
        layout->addWidget(group);
    }
    auto* buttons = new QHBoxLayout;
    auto* update = new QPushButton(QStringLiteral("更新(&U)"), this);
    update->setObjectName(QStringLiteral("UpdateButton"));
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    buttons->addStretch(1);
    buttons->addWidget(update);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(update, &QPushButton::clicked, this, [this] { state_.setColours(colours_); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    updateSamples();
}

void TForm7::fillChooser(int index) {
    QComboBox* box = choosers_[index];
    const ColourValue held = colours_.*(kMembers[index].value);
    box->clear();
    auto swatch = [](ColourValue v) {
        QPixmap p(14, 14);
        p.fill(toQColor(v));
        return QIcon(p);
    };
    int current = -1;
    for (const auto& c : standardColours()) {
        box->addItem(swatch(c.value), qs(colourDisplayName(c.value)),
                     static_cast<qlonglong>(c.value));
        if (c.value == held)
            current = box->count() - 1;
    }
    if (current < 0) {
        box->addItem(swatch(held), qs(colourDisplayName(held)), static_cast<qlonglong>(held));
        current = box->count() - 1;
    }
    box->addItem(QStringLiteral("その他の色..."), kCustomItem);
    box->setCurrentIndex(current);
}

void TForm7::chooserActivated(int index, int item) {
    QComboBox* box = choosers_[index];
    ColourValue& held = colours_.*(kMembers[index].value);
    if (box->itemData(item).toLongLong() == kCustomItem) {
        if (auto c = dialogs().colour(this, toQColor(held)))
            held = fromQColor(*c);
    } else {
        held = static_cast<ColourValue>(box->itemData(item).toLongLong());
    }
    state_.holdColours(colours_);
    fillChooser(index);
    updateSamples();
}

void TForm7::updateSamples() {
    const ColourValue backgrounds[2] = {colours_.upBackground, colours_.downBackground};
    const ColourValue texts[2] = {colours_.upText, colours_.downText};
    for (int pair = 0; pair < 2; ++pair) {
        QPalette p = samples_[pair]->palette();
        p.setColor(QPalette::Window, toQColor(backgrounds[pair]));
        p.setColor(QPalette::WindowText, toQColor(texts[pair]));
        samples_[pair]->setPalette(p);
    }
}

} // namespace tenvoll
