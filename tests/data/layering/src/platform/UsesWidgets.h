#pragma once
#include <QString>
#include <QDialog>
#  include "QtWidgets/qlabel.h"
#include <QtWidgets>
#include <qaction.h>
