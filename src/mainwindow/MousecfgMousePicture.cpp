#include "MousecfgMousePicture.h"

#include "ModelDescription.h"
#include "MouseSession.h"
#include "StoragePaths.h"
#include "TarnAccessible.h"
#include "TarnPushButton.h"
#include "TarnUi.h"

#include <QLabel>
#include <QVariant>

MousecfgMousePicture::MousecfgMousePicture(MouseSession &session, TarnUi &ui, QWidget *window)
    : QObject(window)
    , m_Session(session)
    , m_Ui(ui)
{
    m_pLabel = new QLabel(window);
    m_pLabel->setObjectName(QStringLiteral("mousePicture"));
    m_pLabel->setAlignment(Qt::AlignCenter);
    tarnMarkDecorative(m_pLabel);
}

void MousecfgMousePicture::showFile(const QString &file)
{
    // The product name comes from a file: it must name a folder, not a path.
    const QString product = m_Session.currentProductName();
    if (product.isEmpty() || !isSafeFileName(product))
        return;
    QPixmap picture;
    if (!picture.load(m_Session.dirs().appDir + QStringLiteral("/skin/mouse/") + product + QLatin1Char('/') + file))
        return; // a missing picture leaves the label as it is
    m_pLabel->setPixmap(
        picture.scaled(QSize(m_Ui.scaled(300), m_Ui.scaled(400)), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void MousecfgMousePicture::showButton(TarnPushButton *btn, bool bType)
{
    if (!bType || !btn) {
        showFile(QStringLiteral("Mouse.png"));
        return;
    }
    // The button panel numbers its rows on the buttons it shows.
    bool ok = false;
    const int row = btn->property("buttonRow").toInt(&ok);
    if (!ok || row < 0 || row >= int(ButtonPositions().size()))
        return;
    showFile(QStringLiteral("mouse_%1.png").arg(row + 1));
}
