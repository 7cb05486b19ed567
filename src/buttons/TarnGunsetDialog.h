#pragma once
// "Gun Set": the table of up to five bullets (delay, Y and X step each) from
// which a recoil-compensation macro is built. After "Yes" the caller reads the
// name and the generated actions and writes the gun file (GunSet.h).

#include "MacroFile.h"
#include "TarnSkinDialog.h"

#include <array>
#include <functional>
#include <vector>

class QLineEdit;
class QSpinBox;
class QToolButton;
class TarnLabel;
class TarnMenu;
class TarnPushButton;

class TarnGunsetDialog : public TarnSkinDialog
{
    Q_OBJECT
public:
    // scale 0: the display scale of the user interface.
    explicit TarnGunsetDialog(QWidget *parent = nullptr, double scale = 0);

    int bulletCount() const { return m_iCount; }
    // 1..5; the columns beyond it are hidden and ignored.
    void setBulletCount(int count);

    QLineEdit *nameEdit() const { return m_pNameEdit; }
    QSpinBox *delayBox(int bullet) const;
    QSpinBox *yBox(int bullet) const;
    QSpinBox *xBox(int bullet) const;

    // After acceptance: the typed name and the generated actions.
    QString fileName() const { return m_strName; }
    const std::vector<MacroAction> &actions() const { return m_Actions; }

    // How a warning is shown; by default a modal message box.
    using MessageShower = std::function<void(QWidget *parent, const QString &text)>;
    void setMessageShower(MessageShower shower) { m_ShowMessage = std::move(shower); }

public slots:
    void OnYesClick();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int s(int design) const;
    void warn(const QString &text);

    double m_dScale = 1.0;
    int m_iCount = 5;
    QString m_strName;
    std::vector<MacroAction> m_Actions;
    QLineEdit *m_pNameEdit = nullptr;
    TarnPushButton *m_pCountBtn = nullptr;
    TarnMenu *m_pCountMenu = nullptr;
    std::array<std::array<QSpinBox *, 3>, 5> m_aBoxes{}; // per bullet: delay, Y, X
    QPixmap m_Rail;
    QPixmap m_Bullet;
    QToolButton *m_pYesBtn = nullptr;
    QToolButton *m_pNoBtn = nullptr;
    MessageShower m_ShowMessage;
};
