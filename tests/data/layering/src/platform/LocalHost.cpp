#include <QHostInfo>
