// A picture that reacts to the mouse: the play buttons, the language flags, the logo, the time
// bar's background. It tells which button went down and where.
#pragma once

#include <QLabel>

class ClickableImage : public QLabel
{
    Q_OBJECT
public:
    explicit ClickableImage(const QString &objectName, QWidget *parent = nullptr);
    void setPicture(const QImage &picture);

signals:
    void pressed(Qt::MouseButton button, QPoint at);

protected:
    void mousePressEvent(QMouseEvent *event) override;
};
