// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QWidget>

#include <memory>

class QAction;

namespace lexalon {

class ElidedLabel;
class ParagraphIndex;
class TextPane;

// One text of a corpus under its name, read-only, with an attestation
// selected in the middle of the view, and the commands that ask for the
// attestation before or after it; which one that is, its owner decides.
// F3 and Maj+F3 act wherever the focus is in the window.
class TextView final : public QWidget
{
    Q_OBJECT

public:
    explicit TextView(QWidget *parent = nullptr);
    ~TextView() override;

    // Shows the text under its name, from its start, nothing selected. An
    // index of the text made beforehand spares making it here. If the text
    // cannot be indexed for want of memory, the view keeps the one it had
    // and std::bad_alloc is thrown.
    void setText(const QString &name, const QString &text, std::shared_ptr<const ParagraphIndex> index = nullptr);
    // Selects the characters from begin to end, their row in the middle of
    // the view where the text allows.
    void showAttestation(qsizetype begin, qsizetype end);
    // Which of the two commands can be given.
    void setNavigation(bool hasPrevious, bool hasNext);

    // "Attestation précédente" (Maj+F3) and "Attestation suivante" (F3), for
    // the owner's menus.
    QAction *previousAction() const { return m_previous; }
    QAction *nextAction() const { return m_next; }

Q_SIGNALS:
    void previousRequested();
    void nextRequested();

private:
    QAction *createCommand(const QString &name, const QString &caption, const QKeySequence &shortcut);
    QWidget *createButtons();

    ElidedLabel *m_name;
    TextPane *m_pane;
    QAction *m_previous;
    QAction *m_next;
};

} // namespace lexalon
