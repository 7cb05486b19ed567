#include "TarnProcessDialog.h"

#include "TarnAccessible.h"
#include "TarnUi.h"

#include <QCloseEvent>
#include <QDebug>
#include <QLabel>
#include <QMovie>
#include <QPainter>
#include <QTimer>

namespace {
constexpr int kDesignSide = 128;
} // namespace

TarnProcessDialog::TarnProcessDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    const int side = TarnUi::currentScaled(kDesignSide);
    setFixedSize(side, side);
    setAttribute(Qt::WA_TranslucentBackground);
    setModal(true);
    // The spinner says nothing in words; the title does, for assistive tools.
    setWindowTitle(tr("Please wait"));
    installTarnAccessibility();

    const QString path = TarnUi::currentImagePath(QStringLiteral("/skin/process.png"));
    if (!m_Background.load(path))
        qDebug("TarnProcessDialog: %s not loaded", qPrintable(path));

    m_pSpinner = new QLabel(this);
    m_pSpinner->setGeometry(0, 0, side, side);
    m_pSpinner->setAlignment(Qt::AlignCenter);
    m_pSpinner->setAttribute(Qt::WA_TranslucentBackground);
    m_pMovie = new QMovie(QStringLiteral(":/skin/loading.gif"), QByteArray(), this);
    if (!m_pMovie->isValid())
        qDebug("TarnProcessDialog: :/skin/loading.gif not available");
    m_pMovie->setScaledSize(QSize(side, side));
    m_pSpinner->setMovie(m_pMovie);
    tarnMarkDecorative(m_pSpinner);
    m_pMovie->start();
}

void TarnProcessDialog::centerOn(const QWidget *window)
{
    if (!window)
        return;
    const QRect frame = window->frameGeometry();
    move(frame.center() - QPoint(width() / 2, height() / 2));
}

void TarnProcessDialog::slotProcessDlg()
{
    QTimer::singleShot(0, this, SLOT(updateProgress()));
}

void TarnProcessDialog::updateProgress()
{
    m_bReported = true;
    accept();
}

void TarnProcessDialog::reject()
{
    if (m_bReported)
        QDialog::reject();
}

void TarnProcessDialog::closeEvent(QCloseEvent *event)
{
    if (!m_bReported)
        event->ignore();
}

void TarnProcessDialog::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!m_Background.isNull())
        painter.drawPixmap(rect(), m_Background);
}
