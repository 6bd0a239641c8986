#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringEncoder>
#include <QTemporaryDir>

// UTF-8 test text as the code-page-949 bytes of the settings file.
inline QByteArray InCodePage949(const char* utf8)
{
    QStringEncoder encoder("windows-949");
    return encoder.encode(QString::fromUtf8(utf8));
}

// A fresh folder for settings files.
struct SettingsFolder
{
    QTemporaryDir dir;

    QString Path(const QString& name) const { return dir.filePath(name); }

    void Put(const QString& name, const QByteArray& bytes) const
    {
        QFile file(Path(name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
    }

    QByteArray Bytes(const QString& name) const
    {
        QFile file(Path(name));
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }

    QStringList Entries() const
    {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
};
