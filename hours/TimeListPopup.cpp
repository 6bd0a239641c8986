#include "hours/TimeListPopup.h"

#include <QComboBox>

namespace {

constexpr int VisibleItems = 10;

} // namespace

void BoundTimeListPopup(QComboBox& list)
{
    // The style's own popup would cover the screen around the current item and ignore the bound.
    list.setStyleSheet(QStringLiteral("combobox-popup: 0;"));
    list.setMaxVisibleItems(VisibleItems);
}
