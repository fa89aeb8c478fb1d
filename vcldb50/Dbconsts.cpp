#include "vcldb50/Dbconsts.h"

const char SFieldNotFound[] = "Field '%s' not found";
const char SDataSetOpen[] = "Cannot perform this operation on an open dataset";
const char SDataSetClosed[] = "Cannot perform this operation on a closed dataset";
const char SDatabaseNameMissing[] = "Missing DatabaseName property";
const char STableNameMissing[] = "Missing TableName property";
const char SNulInName[] = "%s contains a null character";
const char SCannotOpenDatabase[] = "Cannot open database '%s': %s";
const char SCannotReadTable[] = "Cannot read table '%s' of '%s': %s";
const char SNoStatement[] = "the SQL holds no statement";
const char SMoreThanOneStatement[] = "the SQL holds more than one statement";
const char SNoColumns[] = "the statement returns no columns";
const char SCannotRunQuery[] = "Cannot run the SQL on '%s': %s";
const char SCannotConnect[] = "Cannot connect to '%s': %s";
const char SDefaultConnection[] = "the default server";
const char SNotATableName[] =
    "'%s' is not a table name: write name or schema.name, a part in double quotes where it holds other characters";
const char SNotAQuery[] = "only a query can be read (SELECT, TABLE, VALUES or WITH ... SELECT)";
const char SColumnsChanged[] = "its columns changed since it was opened";
const char SWaitStopped[] = "stopped while waiting for the server";
const char SUnreadableRecords[] = "the server sent records in a form this program cannot read";
const char SCannotListTables[] = "Cannot list the tables of '%s': %s";
