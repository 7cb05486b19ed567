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

    // A yes/no tool button: resource icon, text, the dark dialog style with a
    // border in the given colour.
    QToolButton *makeToolButton(const QString &objectName, const QString &iconResource, const QString &text,
                                const QColor &border);
    // Sizes the button to its contents (so icon and text stay centred) and
    // centres it on centreX.
    static void placeToolButton(QToolButton *button, int centreX, int y, int height);

private:
    QPixmap m_Background;
    QColor m_FrameColor;
};
