#pragma once
// Image button of the skin: up to three pictures (normal, hover, pressed), an
// optional icon, text in the language font, and the hover/press signals the
// panels use to mirror the pointer on the mouse picture.
//
// The button toggles Qt's checked flag on every press for its own drawing, so
// that flag says nothing about what the button is for; the owner says it with
// setKind(), and assistive tools see the role of that kind (see README.md).

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

    // What the button is for, as screen readers and automation report it.
    enum class Kind {
        Command,   // runs something: push button (the default)
        Tab,       // chooses a page: page tab, selected while setSelected(true)
        Toggle,    // switches a setting: check box, checked while isChecked()
        MenuButton // opens its menu()
    };
    Q_ENUM(Kind)
    void setKind(Kind kind);
    Kind kind() const { return m_eKind; }

    // What a left click does, for Space, Enter/Return and the accessible
    // press action: toggles the checked flag, emits EnterSignal, then
    // pressed/released/clicked, or opens the menu of a menu button.
    void activate();

    // The name assistive tools read: accessibleName(), else the text without
    // its mnemonic marks. A button left without either logs a warning once,
    // naming its objectName, when it is first shown or asked for its name.
    QString accessibleNameOrText() const;

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
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void nextCheckState() override;

private:
    void init();
    bool showsFocusMark() const;

    QVector<QPixmap> m_vImages;
    QPixmap m_Icon;
    bool m_bHover = false;
    bool m_bPressed = false;
    bool m_bPressedSinceEnter = false;
    bool m_bSelected = false;
    mutable bool m_bWarnedUnnamed = false;
    Kind m_eKind = Kind::Command;
};
