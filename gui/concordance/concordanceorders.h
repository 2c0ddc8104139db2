// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "wordforms/concordance.h"

#include <QStringView>

#include <algorithm>
#include <iterator>
#include <utility>

namespace lexalon {

// The sorts a concordance's window offers, in the order of their list.
inline constexpr std::pair<QStringView, Concordance::Order> concordanceOrders[] = {
    {u"Ordre du texte", Concordance::Order::Text},
    {u"1er mot à gauche", Concordance::Order::FirstLeft},
    {u"2e mot à gauche", Concordance::Order::SecondLeft},
    {u"1er mot à droite", Concordance::Order::FirstRight},
    {u"2e mot à droite", Concordance::Order::SecondRight},
};

// An order's place in that list.
inline int concordanceOrderIndex(Concordance::Order order)
{
    return int(std::find_if(std::begin(concordanceOrders), std::end(concordanceOrders),
                            [order](const auto &offered) { return offered.second == order; })
               - std::begin(concordanceOrders));
}

} // namespace lexalon
