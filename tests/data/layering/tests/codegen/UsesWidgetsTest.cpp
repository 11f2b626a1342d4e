#include <QApplication>
