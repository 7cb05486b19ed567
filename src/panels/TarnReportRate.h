#pragma once
// The report rate of the current profile, on the "DPI" tab: a button that
// shows the rate and opens the menu of the four rates. It edits a private copy
// that Apply collects with store(). The lift-off choice exists for the window's
// lift value but is never shown.

#include "TarnPage.h"

#include <functional>

class MouseSession;
class QButtonGroup;
class QRadioButton;
class TarnAction;
class TarnLabel;
class TarnMenu;
class TarnPushButton;

class TarnReportRate : public TarnPage
{
    Q_OBJECT
public:
    explicit TarnReportRate(MouseSession &session, QWidget *parent = nullptr);

    // Where load() takes the lift-off value from (the window keeps it); without
    // one the lift is 2.
    void setLiftSource(std::function<int()> source) { m_LiftSource = std::move(source); }

    void load(const ProfileData &profile) override;
    void store(ProfileData &profile) const override;
    void retranslate() override;
    void relayout() override;

    // Chooses the rate with pollrate code, as the menu does; false (nothing
    // changed) for a code the menu does not have.
    bool chooseRate(int code);

    quint8 lift() const { return m_iLift; }
    TarnPushButton *rateButton() const { return m_pRateBtn; }
    TarnMenu *rateMenu() const { return m_pMenu; }
    QButtonGroup *liftGroup() const { return m_pLiftGroup; }

signals:
    void RefreshLift(quint8 iLift);

public slots:
    void onRadioChanged();

private:
    void showRate(int code);
    void reloadFromMouse();

    MouseSession &m_Session;
    ProfileData m_ProfileData;
    quint8 m_iLift = 2;
    int m_iShownRate = -1; // the code whose text the button shows; -1 none yet
    std::function<int()> m_LiftSource;

    TarnLabel *m_pTitle = nullptr;
    TarnPushButton *m_pRateBtn = nullptr;
    TarnMenu *m_pMenu = nullptr;
    QList<TarnAction *> m_Actions;
    TarnLabel *m_pLiftTitle = nullptr;
    QRadioButton *m_pLift1 = nullptr;
    QRadioButton *m_pLift2 = nullptr;
    QButtonGroup *m_pLiftGroup = nullptr;
};
