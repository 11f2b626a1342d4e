#include "platform/LocalHost.h"

#include <QHostAddress>
#include <QHostInfo>

namespace pravik::LocalHost {

QString FirstIPv4Address() {
    const QHostInfo info = QHostInfo::fromName(QHostInfo::localHostName());
    for (const QHostAddress& address : info.addresses()) {
        bool isIPv4 = false;
        const quint32 ip = address.toIPv4Address(&isIPv4);
        if (!isIPv4)
            continue;
        return QString::asprintf("%d.%d.%d.%d", int((ip >> 24) & 0xff), int((ip >> 16) & 0xff),
                                 int((ip >> 8) & 0xff), int(ip & 0xff));
    }
    return QStringLiteral("0.0.0.0");
}

} // namespace pravik::LocalHost
