// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QString>

class QFontMetrics;

namespace lexalon {

// A path that fits the width: the folders are cut in the middle so that the
// file's name stays whole while it fits at all.
QString elidedPath(const QString &path, const QFontMetrics &metrics, int width);

// A label that shows a path on one line, elided as above where it is too
// long; its text and its tooltip are the whole path.
class ElidedLabel final : public QLabel
{
    Q_OBJECT

public:
    explicit ElidedLabel(QWidget *parent = nullptr);

    QString shownText() const;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
};

} // namespace lexalon
