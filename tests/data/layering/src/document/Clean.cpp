#include "document/Clean.h"
#include "platform/FileSystem.h"
#include <QUndoCommand>
#include <QAction>
#include <QByteArray>
// #include <QWidget> is only mentioned here
