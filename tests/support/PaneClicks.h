// Choosing a player in a roster pane as the user does: the grid that lists
// him is brought to the front, his row made current and Enter pressed.
#pragma once

#include "mainwindow/RosterPane.h"
#include "mainwindow/RosterTableModel.h"
#include "mainwindow/Unit1.h"
#include "windowkit/GridView.h"

#include <QTest>

#include <gtest/gtest.h>

namespace tenvoll::test {

inline void choosePlayer(TForm1& main, PaneSide side, const QString& name) {
    RosterPane* pane = main.pane(side);
    for (GridKind kind : kGridKinds) {
        RosterTableModel* model = pane->model(kind);
        for (int row = 0; row < model->rowCount(); ++row) {
            if (model->data(model->index(row, 1), Qt::DisplayRole).toString() != name)
                continue;
            pane->setCurrentTab(static_cast<PaneTab>(kind));
            GridView* grid = pane->grid(kind);
            grid->setCurrentIndex(model->index(row, 1));
            QTest::keyClick(grid, Qt::Key_Return);
            return;
        }
    }
    ADD_FAILURE() << "no row names " << name.toStdString();
}

} // namespace tenvoll::test
