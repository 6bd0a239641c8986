#include "app/QtKoreanTexts.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

void UseKoreanQtTexts(const QString& programFolder)
{
    QLocale::setDefault(QLocale(QLocale::Korean, QLocale::SouthKorea));
    static QTranslator translator;
    if (translator.load(QStringLiteral("qtbase_ko"), programFolder))
        QCoreApplication::installTranslator(&translator);
}
