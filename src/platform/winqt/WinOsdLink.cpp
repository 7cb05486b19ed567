// The Qt-facing side of the Windows link; the Win32 calls live in win/.
#include "OsdCompanionLink.h"

#include "OsdWindow.h"

#include <QDebug>

namespace {

class WinOsdLink : public OsdCompanionLink
{
public:
    using OsdCompanionLink::OsdCompanionLink;

protected:
    void deliver(const QByteArray &block) override
    {
        void *window = platformwin::findOsdWindow();
        if (!window) {
            deliveryFinished(Outcome::Missing);
            return;
        }
        switch (platformwin::sendOsdBlock(window, reinterpret_cast<const std::uint8_t *>(block.constData()),
                                          std::size_t(block.size()))) {
        case platformwin::OsdSendResult::Delivered:
            deliveryFinished(Outcome::Delivered);
            return;
        case platformwin::OsdSendResult::Refused:
            qDebug("SendMessage failed");
            break;
        case platformwin::OsdSendResult::TimedOut:
            qDebug("SendMessage failed: the OSD window did not answer within %u ms", platformwin::kOsdSendTimeoutMs);
            break;
        }
        deliveryFinished(Outcome::Failed);
    }
};

} // namespace

std::unique_ptr<OsdCompanionLink> createOsdCompanionLink(const QString &appDir, std::function<quint32()> colour)
{
    return std::make_unique<WinOsdLink>(appDir + QStringLiteral("/OSD.exe"), std::move(colour));
}
