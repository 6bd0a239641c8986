#include "core/localdb/LocalStatements.h"

#include "core/localdb/SqlQuoting.h"

namespace {

QString ZipcodeText(const QString& firstPart, const QString& secondPart)
{
    return firstPart + QLatin1Char('-') + secondPart;
}

} // namespace

QString HolidayStatement(int year)
{
    const QString yearText = QStringLiteral("%1").arg(year, 4, 10, QLatin1Char('0'));
    return QStringLiteral(" SELECT * FROM HOLIDAY   WHERE LEFT(H_DAY,4) = ") + SqlQuoted(yearText) +
           QStringLiteral("  ORDER BY H_GUBUN DESC ");
}

QString ZipcodeLookupTopStatement(const QString& firstPart, const QString& secondPart)
{
    return QStringLiteral(" Select top 1 * from [qx_ZipCode] ") +
           QStringLiteral(" Where Zipcode = ") + SqlQuoted(ZipcodeText(firstPart, secondPart));
}

QString ZipcodeLookupStatement(const QString& firstPart, const QString& secondPart)
{
    return QStringLiteral(" Select * from [QX_Zipcode] ") + QStringLiteral(" Where Zipcode = ") +
           SqlQuoted(ZipcodeText(firstPart, secondPart));
}

QString ZipSearchStatement(const QString& searchText)
{
    const QString text = SqlEscaped(searchText);
    return QStringLiteral(" Select * from qx_ZipCode ") + QStringLiteral(" Where Dong like '%") +
           text + QStringLiteral("%' or Ri like '%") + text + QStringLiteral("%'") +
           QStringLiteral(" order by Seq ");
}
