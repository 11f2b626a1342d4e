#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace pravik::test {

// A temporary folder with helpers to write and read whole files as bytes.
class TempDir {
public:
    TempDir() { EXPECT_TRUE(m_dir.isValid()); }
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QString write(const QString& name, const QByteArray& bytes) const {
        QFile f(path(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path(name);
    }
    QByteArray read(const QString& name) const { return ReadPath(path(name)); }
    static QByteArray ReadPath(const QString& path) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return QByteArray("<missing>");
        return f.readAll();
    }
    bool exists(const QString& name) const { return QFile::exists(path(name)); }

private:
    QTemporaryDir m_dir;
};

} // namespace pravik::test
