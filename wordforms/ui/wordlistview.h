#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QTableView>

namespace lexalon {

class WordGridModel;

// The word list on screen: scrolls and selects, never edits. The view's
// current cell and selection are the grid's, both ways; typed letters jump to
// the first form that begins with them.
class WordListView final : public QTableView
{
    Q_OBJECT

public:
    explicit WordListView(QWidget *parent = nullptr);

    void setGridModel(WordGridModel *model);
    // Letters typed in quick succession add up; an empty search starts afresh.
    void keyboardSearch(const QString &search) override;

private:
    void applyColumnWidths();
    // Shows the grid's current cell and selection.
    void followGrid();
    // Gives the grid the view's current cell and selection.
    void gridFollowsView();

    WordGridModel *m_model = nullptr;
    bool m_followingGrid = false;
    QString m_typed;
    QElapsedTimer m_sinceLastKey;
};

} // namespace lexalon
