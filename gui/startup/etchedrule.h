// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace lexalon {

// A horizontal rule with an etched look: a grey line over a white one of
// twice its width.
class EtchedRule final : public QWidget
{
    Q_OBJECT

public:
    // From x1 to x2 at y, in the parent's pixels.
    EtchedRule(int x1, int x2, int y, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace lexalon
