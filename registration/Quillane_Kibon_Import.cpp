#include "Quillane_Kibon.h"

void Tfrm_Kibon::ImportFromManagementDb() {}
