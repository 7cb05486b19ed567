#pragma once
// Small spinner shown while the worker thread writes to the mouse. The
// worker's signal ends it: slotProcessDlg() closes it on the next turn of the
// event loop, so exec() returns 1.

#include <QDialog>
#include <QPixmap>

class QLabel;
class QMovie;

class TarnProcessDialog : public QDialog
{
    Q_OBJECT
public:
    explicit TarnProcessDialog(QWidget *parent = nullptr);

    // Moves the dialog to the middle of the given window.
    void centerOn(const QWidget *window);
    QMovie *movie() const { return m_pMovie; }

public slots:
    void slotProcessDlg();
    void updateProgress();
    // Escape and the window manager's close are ignored: the dialog ends only
    // when the worker reports, so no second send can start meanwhile and no
    // failure goes unreported.
    void reject() override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QPixmap m_Background;
    QLabel *m_pSpinner = nullptr;
    QMovie *m_pMovie = nullptr;
    bool m_bReported = false;
};
