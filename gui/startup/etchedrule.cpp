// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/startup/etchedrule.h"

#include <QColor>
#include <QPainter>

namespace lexalon {

namespace {

constexpr int whiteWidth = 2;
constexpr int greyWidth = 1;
constexpr QColor ruleGrey{128, 128, 128};

} // namespace

EtchedRule::EtchedRule(int x1, int x2, int y, QWidget *parent)
    : QWidget(parent)
{
    setGeometry(x1, y, x2 - x1, whiteWidth);
}

void EtchedRule::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(0, 0, width(), whiteWidth, Qt::white);
    painter.fillRect(0, 0, width(), greyWidth, ruleGrey);
}

} // namespace lexalon
