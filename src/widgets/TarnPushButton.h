#pragma once
// Image button of the skin: up to three pictures (normal, hover, pressed), an
// optional icon, text in the language font, and the hover/press signals the
// panels use to mirror the pointer on the mouse picture.

#include <QPixmap>
#include <QPushButton>
#include <QStringList>
#include <QVector>

class TarnPushButton : public QPushButton
{
    Q_OBJECT
public:
    explicit TarnPushButton(const QStringList &images, const QString &icon = QString(), QWidget *parent = nullptr);
    explicit TarnPushButton(QWidget *parent = nullptr);

    // Replaces the pictures; more than three are cut to three (logged).
    void setImages(const QStringList &images);
    int imageCount() const { return m_vImages.size(); }
    void setIconFile(const QString &icon);

    // The owner's highlight mark (tab buttons). Marking also checks the button,
    // unmarking unchecks it, so the highlight survives the pointer leaving.
    void setSelected(bool selected);
    bool isSelected() const { return m_bSelected; }

    bool isHovered() const { return m_bHover; }
    bool isPressedDown() const { return m_bPressed; }

    // Index of the picture drawn now (0 normal, 1 hover/highlight, 2 pressed);
    // -1 without pictures.
    int currentImageIndex() const;
    // Text colour for the current state.
    QColor currentTextColor() const;

    // Re-reads the language font (after a language or scale change).
    void refreshFont();

signals:
    void EnterSignal(TarnPushButton *btn);
    void OverSignal(TarnPushButton *btn, bool bType);

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void nextCheckState() override;

private:
    void init();

    QVector<QPixmap> m_vImages;
    QPixmap m_Icon;
    bool m_bHover = false;
    bool m_bPressed = false;
    bool m_bPressedSinceEnter = false;
    bool m_bSelected = false;
};
