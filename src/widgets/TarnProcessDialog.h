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

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_Background;
    QLabel *m_pSpinner = nullptr;
    QMovie *m_pMovie = nullptr;
};
