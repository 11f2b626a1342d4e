#include <QTcpSocket>
#include <QtNetwork/QHostAddress>
