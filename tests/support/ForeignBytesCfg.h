#pragma once

#include <QByteArrayList>
#include <QFile>
#include <QString>

namespace pravik::test {

// tests/data/driverconfig/foreign-bytes.cfg holds text values that are not
// clean CP949: UTF-8, Latin-1, and a lead byte with its trail byte missing
// (at the end of a value and at the very end of the file).
inline QString ForeignBytesCfg() {
    return QStringLiteral(PRAVIK_TEST_DATA "/driverconfig/foreign-bytes.cfg");
}

inline QByteArray ReadForeignBytesCfg() {
    QFile f(ForeignBytesCfg());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The lines a save writes for those values when nobody edited them: the
// same bytes (the device IDs in the list's order).
inline const QByteArrayList kForeignValueLines{
    "\r\nDevice ID=5,caf\xE9,\xB0\xA1\r\n",
    "\r\nIP=\xEB\xA1\x9C\xEA\xB7\xB8.local\r\n",
    "\r\nParity=N\xD6NE\r\n",
    "\r\nPrefix=caf\xE9\r\n",
    "\r\nExtension=lo\xB0\r\n",
    "\r\nDir=/data/\xEB\xA1\x9C\xEA\xB7\xB8/\xB0\r\n",
};

} // namespace pravik::test
