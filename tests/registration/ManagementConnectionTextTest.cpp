#include "registration/ManagementConnectionText.h"

#include "core/management/EditionTable.h"

#include <gtest/gtest.h>

namespace {

struct ConnectionCase
{
    QString edition;
    QString oleDb;
    QString freeTds;
    QString sqlServer;
};

TEST(ManagementConnectionText, EachEditionsTextAndItsOdbcKeywords)
{
    const ConnectionCase cases[] = {
        {"QX2000V5",
         "Provider=SQLOLEDB.1;Password=wopzne@@;Persist Security Info=True;User id=tkrkwl;Initial "
         "Catalog=QX_BASE;Data Source=PHARM-PC\\QX2000",
         "DRIVER={FreeTDS};SERVER=PHARM-PC\\QX2000;DATABASE=QX_BASE;UID=tkrkwl;PWD=wopzne@@",
         "DRIVER={SQL Server};SERVER=PHARM-PC\\QX2000;DATABASE=QX_BASE;UID=tkrkwl;PWD=wopzne@@"},
        {"QX2000XE",
         "Provider=SQLOLEDB.1;Password=MTQ&^!!#(!;Persist Security Info=True;User id=sa;Initial "
         "Catalog=QX_BASE;Data Source=PHARM-PC\\QX2005",
         "DRIVER={FreeTDS};SERVER=PHARM-PC\\QX2005;DATABASE=QX_BASE;UID=sa;PWD=MTQ&^!!#(!",
         "DRIVER={SQL Server};SERVER=PHARM-PC\\QX2005;DATABASE=QX_BASE;UID=sa;PWD=MTQ&^!!#(!"},
        {"QX2000XE SQL2014",
         "Provider=SQLNCLI11.1;Persist Security Info=True;User ID='sa';Password='quvbnk738#&)';"
         "Initial Catalog=master;Data Source=PHARM-PC\\QX2014;",
         "DRIVER={FreeTDS};SERVER=PHARM-PC\\QX2014;DATABASE=master;UID=sa;PWD=quvbnk738#&)",
         "DRIVER={SQL Server};SERVER=PHARM-PC\\QX2014;DATABASE=master;UID=sa;PWD=quvbnk738#&)"},
    };
    for (const ConnectionCase& c : cases) {
        SCOPED_TRACE(c.edition.toStdString());
        const EditionRow* edition = EditionByLabel(c.edition);
        ASSERT_NE(edition, nullptr);
        const QString text = ManagementConnectionText(*edition, "PHARM-PC");
        EXPECT_EQ(text, c.oleDb);
        EXPECT_EQ(OdbcConnectionText(text, "FreeTDS"), c.freeTds);
        EXPECT_EQ(OdbcConnectionText(text, "SQL Server"), c.sqlServer);
    }
}

TEST(ManagementConnectionText, ValuesOdbcWouldSplitAreBraced)
{
    EXPECT_EQ(OdbcConnectionText("Password=a;b;Data Source= my host ;User id=\"x}y\"", "FreeTDS"),
              "DRIVER={FreeTDS};SERVER={my host};UID={x}}y};PWD=a");
    EXPECT_EQ(OdbcConnectionText("Password='p=1';Initial Catalog={db}", "FreeTDS"),
              "DRIVER={FreeTDS};DATABASE={{db}}};PWD={p=1}");
}

} // namespace
