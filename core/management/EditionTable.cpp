#include "core/management/EditionTable.h"

#include <algorithm>

const std::array<EditionRow, 3>& EditionTable()
{
    static const std::array<EditionRow, 3> table{{
        {QStringLiteral("QX2000XE SQL2014"), ManagementV6Ini, QStringLiteral("MSSQL$QX2014"),
         QStringLiteral("\\QX2014;")},
        {QStringLiteral("QX2000XE"), ManagementV6Ini, QStringLiteral("MSSQL$QX2005"),
         QStringLiteral("\\QX2005")},
        {QStringLiteral("QX2000V5"), ManagementV5Ini, QStringLiteral("MSSQL$QX2000"),
         QStringLiteral("\\QX2000")},
    }};
    return table;
}

const EditionRow* EditionByLabel(const QString& label)
{
    const std::array<EditionRow, 3>& table = EditionTable();
    const auto row = std::find_if(table.begin(), table.end(),
                                  [&label](const EditionRow& r) { return r.label == label; });
    return row == table.end() ? nullptr : &*row;
}
