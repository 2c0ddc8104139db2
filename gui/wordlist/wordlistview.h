// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QTableView>

namespace lexalon {

class WordListModel;

// The word list on screen: scrolls and selects, never edits; typed letters
// jump to the first form that begins with them. Entrée or a double-click
// chooses a form.
class WordListView final : public QTableView
{
    Q_OBJECT

public:
    explicit WordListView(QWidget *parent = nullptr);

    void setListModel(WordListModel *model);
    // Puts the current cell, selected, on the first count, at the top of the
    // list: the keyboard moves from there at once.
    void startAtFirstCount();

    // Letters typed in quick succession add up; an empty search starts afresh.
    void keyboardSearch(const QString &search) override;

Q_SIGNALS:
    void formChosen(int row);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    // The forms' cells cannot be selected: a double-click on one chooses it
    // all the same.
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    WordListModel *m_model = nullptr;
    QString m_typed;
    QElapsedTimer m_sinceLastKey;
};

} // namespace lexalon
