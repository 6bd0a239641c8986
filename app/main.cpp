#include "Quillane_Main.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    application.setApplicationDisplayName(QStringLiteral("초록우체통"));
    Tfrm_Quillane_Main mainWindow;
    return application.exec();
}
