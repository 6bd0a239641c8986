#include "Quillane_Main.h"

Tfrm_Quillane_Main::Tfrm_Quillane_Main(QWidget* parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Quillane"));
}
