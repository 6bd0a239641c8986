#include "core/localdb/LocalStatements.h"

#include "core/localdb/JetDialect.h"
#include "core/localdb/SqlQuoting.h"

#include <gtest/gtest.h>

namespace {

struct TextCase
{
    QString actual;
    QString expected;
};

TEST(LocalStatementsTest, BuildsTheStatementsPieceByPieceWithQuotesDoubled)
{
    const TextCase cases[] = {
        {HolidayStatement(2026),
         " SELECT * FROM HOLIDAY   WHERE LEFT(H_DAY,4) = '2026'  ORDER BY H_GUBUN DESC "},
        {ZipcodeLookupTopStatement("135", "080"),
         " Select top 1 * from [qx_ZipCode]  Where Zipcode = '135-080'"},
        {ZipcodeLookupStatement("135", "080"),
         " Select * from [QX_Zipcode]  Where Zipcode = '135-080'"},
        {ZipSearchStatement("역삼"), " Select * from qx_ZipCode  Where Dong like '%역삼%' or Ri "
                                     "like '%역삼%' order by Seq "},
        {ZipSearchStatement("x' or '1'='1"), " Select * from qx_ZipCode  Where Dong like '%x'' or "
                                             "''1''=''1%' or Ri like '%x'' or ''1''=''1%' order "
                                             "by Seq "},
        {ZipcodeLookupStatement("1'3", "0"),
         " Select * from [QX_Zipcode]  Where Zipcode = '1''3-0'"},
        {SqlQuoted("it's"), "'it''s'"},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(c.actual, c.expected);
}

TEST(LocalStatementsTest, AdaptsTopAndLeftToSqliteOutsideLiteralsOnly)
{
    const TextCase cases[] = {
        {JetToSqlite(" Select top 1 * from [qx_ZipCode]  Where Zipcode = '135-080'"),
         " Select * from [qx_ZipCode]  Where Zipcode = '135-080' LIMIT 1"},
        {JetToSqlite(
             " SELECT * FROM HOLIDAY   WHERE LEFT(H_DAY,4) = '2026'  ORDER BY H_GUBUN DESC "),
         " SELECT * FROM HOLIDAY   WHERE substr(H_DAY,1,4) = '2026'  ORDER BY H_GUBUN DESC "},
        {JetToSqlite("SELECT TOP 25 a FROM t WHERE left( b , 2 ) = 'x'"),
         "SELECT a FROM t WHERE substr(b,1,2) = 'x' LIMIT 25"},
        {JetToSqlite(
             "SELECT * FROM t WHERE Dong like '%top 1 LEFT(a,1)%' or Ri like '%it''s LEFT(b,2)%'"),
         "SELECT * FROM t WHERE Dong like '%top 1 LEFT(a,1)%' or Ri like '%it''s LEFT(b,2)%'"},
        {JetToSqlite("SELECT a FROM t LEFT JOIN u ON t.k = u.k"),
         "SELECT a FROM t LEFT JOIN u ON t.k = u.k"},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(c.actual, c.expected);
}

} // namespace
