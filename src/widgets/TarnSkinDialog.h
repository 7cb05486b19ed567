#pragma once
// Base of the skinned dialogs: frameless, translucent, painted as a skin
// picture stretched over the dialog with a 2-pixel frame just inside its edge.

#include <QColor>
#include <QDialog>
#include <QPixmap>

class QToolButton;

class TarnSkinDialog : public QDialog
{
    Q_OBJECT
public:
    // background: a skin image name such as "/skin/dlg.png".
    explicit TarnSkinDialog(const QString &background, QWidget *parent = nullptr,
                            Qt::WindowFlags flags = Qt::FramelessWindowHint);

    QColor frameColor() const { return m_FrameColor; }
    void setFrameColor(const QColor &color);
    bool hasBackgroundImage() const { return !m_Background.isNull(); }

protected:
    void paintEvent(QPaintEvent *event) override;
    // Enter and Return press the focused tool button of the dialog, else the
    // default one; Escape rejects, as in every dialog.
    void keyPressEvent(QKeyEvent *event) override;
    void setDefaultToolButton(QToolButton *button) { m_pDefaultButton = button; }

    // A yes/no tool button: resource icon, text (also its accessible name),
    // the dark dialog style with a border in the given colour, white while it
    // has the focus; Tab reaches it.
    QToolButton *makeToolButton(const QString &objectName, const QString &iconResource, const QString &text,
                                const QColor &border);
    // Sizes the button to its contents (so icon and text stay centred) and
    // centres it on centreX.
    static void placeToolButton(QToolButton *button, int centreX, int y, int height);

private:
    QPixmap m_Background;
    QColor m_FrameColor;
    QToolButton *m_pDefaultButton = nullptr;
};
