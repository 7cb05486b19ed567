#include "MouseCtl.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    MouseCtl::installMessageHandler();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("mousecfgctl"));
    MouseCtl ctl;
    return ctl.run(QCoreApplication::arguments());
}
