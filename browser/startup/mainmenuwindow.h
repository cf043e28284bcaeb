// The main menu (title window) of the edit mode: a column of buttons, a hint box that follows
// the hovered button, and the chooser of a race or a track file. The window only holds the
// controls; what a button does is decided by its owner (actionTriggered).
#pragma once

#include "menulayout.h"

#include <QWidget>

struct AppSettings;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;

class MainMenuWindow : public QWidget
{
    Q_OBJECT
public:
    explicit MainMenuWindow(const AppSettings &settings, QWidget *parent = nullptr);

    QPushButton *button(MenuAction action) const;
    // Fills the chooser with names, shows the first one and shows the chooser.
    void showChooser(const QStringList &names);
    void hideChooser();
    bool isChooserShown() const;
    QString chosenName() const;
    QStringList chooserItems() const;
    // The help button is shown only when a help page exists.
    void setHelpAvailable(bool available);

signals:
    void actionTriggered(MenuAction action);
    void chooserAccepted(const QString &name);
    // The window's close box: the same as EXIT.
    void closeRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void showHint(const MenuButton &button);
    void hideHint();

    const AppSettings &m_settings;
    QList<QPushButton *> m_buttons; // in the order of menuButtons()
    QLabel *m_title = nullptr;
    QLabel *m_hint = nullptr;
    QFrame *m_chooser = nullptr;
    QComboBox *m_list = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};
