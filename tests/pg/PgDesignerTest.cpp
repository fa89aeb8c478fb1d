// The designer on a PostgreSQL dataset: the table name's drop-down from the server, its failure
// shown in its place, and the connection string's password shown masked and never in the form.

#include <gtest/gtest.h>

#include "host/DesignHost.h"
#include "host/PropertyGrid.h"
#include "tests/pg/PgTesting.h"
#include "vcl50/Formresources.h"
#include "vcldb50/Pgdataset.h"

TEST(PgDesigner, TheTableNameDropDownOffersTheServersTablesOrSaysWhyNot)
{
    TDesignHost host;
    TDesigner& designer = host.NewForm("Form1");
    auto* dataSet = As<TPgDataSet>(host.Commands().Place(TPgDataSet::StaticClass(), "Orders"));
    ASSERT_NE(dataSet, nullptr);
    TPropertyGrid grid({dataSet}, &designer);
    TPropertyGridRow& connection = *grid.Find("ConnectionString");
    TPropertyGridRow& table = *grid.Find("TableName");

    // The clerk's password is not PGPASSWORD's: the list comes through the one typed in.
    const std::string clerk = PgServer().ConnectionString("clerk");
    ASSERT_TRUE(host.Commands().Set(connection, clerk + " password=" + TPgServer::ClerkPassword));
    EXPECT_EQ(connection.DisplayValue(), clerk + " password=***");
    EXPECT_TRUE(table.Editor().GetAttributes().Contains(paValueList));
    EXPECT_EQ(table.DropDownValues(),
              (std::vector<AnsiString>{"\"Back Office\".\"Odd \"\"Name\"\"\"", "public.customers", "public.every_type",
                                       "public.order_lines", "public.orders", "public.products"}));
    ASSERT_TRUE(host.Commands().Set(table, "public.orders"));
    // Confirming the row as it shows keeps the password; the form's text never holds it.
    ASSERT_TRUE(host.Commands().Set(connection, connection.DisplayValue()));
    EXPECT_TRUE(dataSet->HoldsPassword());
    const AnsiString formText = WriteComponentResourceText(designer.GetRoot());
    EXPECT_NE(formText.find("ConnectionString = '" + clerk + "'"), AnsiString::npos) << formText;
    EXPECT_EQ(formText.find(TPgServer::ClerkPassword), AnsiString::npos) << formText;

    // Without it the server refuses: the reason is the list, and choosing it changes nothing.
    ASSERT_TRUE(host.Commands().Set(connection, clerk));
    const std::vector<AnsiString> refused = table.DropDownValues();
    ASSERT_EQ(refused.size(), 1u);
    EXPECT_EQ(refused[0], "(Cannot connect to '" + clerk + "': connection to server on socket \"" +
                              (PgServer().Folder() / ".s.PGSQL.5432").string() +
                              "\" failed: FATAL: password authentication failed for user \"clerk\")");
    EXPECT_TRUE(host.Commands().Set(table, refused[0]));
    EXPECT_EQ(dataSet->TableName(), "public.orders");
}
