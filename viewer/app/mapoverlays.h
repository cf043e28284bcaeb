// The panels that sit on the map: the finishers' score panel (pnlScore), the start flags
// (pnlFLAG with brenvologo and blue_p), the yellow hint box (hintbox) and the notices the show
// gives without stopping (pnlNotice: races skipped, problems met while reading).
#pragma once

#include <passtable.h>

#include <QLabel>
#include <QList>
#include <QTimer>
#include <QWidget>

class ScorePanel : public QWidget
{
    Q_OBJECT
public:
    explicit ScorePanel(QWidget *parent = nullptr);
    // The race's score labels, hidden (none for a race without a line).
    void setLabels(const QList<ScoreLabel> &labels);
    bool hasLabels() const { return !m_labels.isEmpty(); }
    // A finisher's label appears and the panel grows to hold finishers lines.
    void showFinisher(int boatNumber, int finishers);
    // Back before the finishes: hidden, every label hidden.
    void clear();
    int shownLabels() const;

signals:
    void touched();

protected:
    void enterEvent(QEnterEvent *event) override;

private:
    QList<QLabel *> m_labels; // by boat
};

class FlagPanel : public QWidget
{
    Q_OBJECT
public:
    explicit FlagPanel(QWidget *parent = nullptr);
    void setFlags(bool classFlag, bool preparatory);

private:
    QLabel *m_class;
    QLabel *m_preparatory;
};

class HintBox : public QLabel
{
    Q_OBJECT
public:
    explicit HintBox(QWidget *parent = nullptr);
    // Shows a text in a box of that size (larger when the text needs it) at the top right of a map
    // that wide; the same text again changes nothing.
    void showHint(const QString &text, QSize size, int mapWidth);
    void hideHint();
};

class NoticeBox : public QLabel
{
    Q_OBJECT
public:
    explicit NoticeBox(QWidget *parent = nullptr);
    // Shows a notice at the bottom left of the map for a while (or until clicked); a notice
    // already showing gets the new one added below it.
    void showNotice(const QString &text, int mapHeight);

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    QTimer m_timer;
};
