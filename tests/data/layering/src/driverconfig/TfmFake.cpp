#include <QDialog>
#include <QHostInfo>
