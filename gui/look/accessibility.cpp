// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/look/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QDialog>
#include <QGroupBox>
#include <QList>
#include <QMainWindow>
#include <QWidget>

namespace lexalon {

namespace {

// Set on a widget to leave out, and on its parent, which then lists its
// children itself.
constexpr char leftOutProperty[] = "lexalonLeftOutOfAccessibility";
constexpr char leavesOutProperty[] = "lexalonLeavesOutChildren";

QAccessible::Role roleOf(const QWidget *widget)
{
    if (qobject_cast<const QDialog *>(widget))
        return QAccessible::Dialog;
    if (widget->isWindow())
        return QAccessible::Window;
    if (qobject_cast<const QGroupBox *>(widget))
        return QAccessible::Grouping;
    return QAccessible::Client;
}

// A container as Qt presents it, less the children left out.
class LeavingOut final : public QAccessibleWidget
{
public:
    explicit LeavingOut(QWidget *widget)
        : QAccessibleWidget(widget, roleOf(widget))
    {
    }

    int childCount() const override { return int(children().size()); }

    QAccessibleInterface *child(int index) const override
    {
        const QList<QWidget *> shown = children();
        return index >= 0 && index < shown.size() ? QAccessible::queryAccessibleInterface(shown.at(index)) : nullptr;
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child ? int(children().indexOf(child->object())) : -1;
    }

    QString text(QAccessible::Text t) const override
    {
        const auto *box = qobject_cast<const QGroupBox *>(widget());
        if (t == QAccessible::Name && box && widget()->accessibleName().isEmpty())
            return QString(box->title()).remove(u'&');
        return QAccessibleWidget::text(t);
    }

private:
    QList<QWidget *> children() const
    {
        QList<QWidget *> shown;
        for (QObject *object : widget()->children()) {
            auto *child = qobject_cast<QWidget *>(object);
            if (child && !child->isWindow() && !child->property(leftOutProperty).toBool())
                shown.append(child);
        }
        return shown;
    }
};

QAccessibleInterface *leavingOutInterface(const QString &, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    return widget && widget->property(leavesOutProperty).toBool() ? new LeavingOut(widget) : nullptr;
}

} // namespace

void hideFromAccessibility(QWidget *widget)
{
    static const bool installed = (QAccessible::installFactory(leavingOutInterface), true);
    Q_UNUSED(installed);
    widget->setProperty(leftOutProperty, true);
    QWidget *parent = widget->parentWidget();
    if (!parent || parent->property(leavesOutProperty).toBool())
        return;
    parent->setProperty(leavesOutProperty, true);
    // Qt may have made the parent's interface already, while the window was
    // built: it is made again, this time by the factory above.
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(QAccessible::queryAccessibleInterface(parent)));
}

} // namespace lexalon
