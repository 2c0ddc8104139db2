// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/corpus/textview.h"

#include "gui/look/elidedlabel.h"
#include "gui/textpane/textpane.h"

#include <QAction>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QToolButton>
#include <QVBoxLayout>

#include <utility>

using namespace Qt::StringLiterals;

namespace lexalon {

TextView::TextView(QWidget *parent)
    : QWidget(parent)
    , m_name(new ElidedLabel(this))
    , m_pane(new TextPane(this))
    , m_previous(createCommand(u"attestationPrecedente"_s, u"Attestation précédente"_s,
                               QKeySequence(Qt::SHIFT | Qt::Key_F3)))
    , m_next(createCommand(u"attestationSuivante"_s, u"Attestation suivante"_s, QKeySequence(Qt::Key_F3)))
{
    m_name->setObjectName(u"nomDuTexte"_s);
    m_pane->setObjectName(u"texte"_s);
    connect(m_previous, &QAction::triggered, this, &TextView::previousRequested);
    connect(m_next, &QAction::triggered, this, &TextView::nextRequested);
    setNavigation(false, false);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_name);
    layout->addWidget(m_pane, 1);
    layout->addWidget(createButtons());
}

TextView::~TextView() = default;

QAction *TextView::createCommand(const QString &name, const QString &caption, const QKeySequence &shortcut)
{
    auto *command = new QAction(caption, this);
    command->setObjectName(name);
    command->setShortcut(shortcut);
    // Qt names the keys in English: the tooltip names them in French.
    command->setToolTip(u"%1 (%2)"_s.arg(caption, shortcut.toString().replace(u"Shift"_s, u"Maj"_s)));
    addAction(command);
    return command;
}

QWidget *TextView::createButtons()
{
    auto *buttons = new QWidget(this);
    auto *row = new QHBoxLayout(buttons);
    row->setContentsMargins(0, 0, 0, 0);
    row->addStretch();
    for (QAction *command : {m_previous, m_next}) {
        auto *button = new QToolButton(buttons);
        button->setDefaultAction(command);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        row->addWidget(button);
    }
    return buttons;
}

void TextView::setText(const QString &name, const QString &text, std::shared_ptr<const ParagraphIndex> index)
{
    m_pane->setText(text, std::move(index));
    m_name->setText(name);
    m_pane->setAccessibleName(name);
}

void TextView::showAttestation(qsizetype begin, qsizetype end)
{
    m_pane->select(begin, end);
    m_pane->centre(begin);
}

void TextView::setNavigation(bool hasPrevious, bool hasNext)
{
    m_previous->setEnabled(hasPrevious);
    m_next->setEnabled(hasNext);
}

} // namespace lexalon
