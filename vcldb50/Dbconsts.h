#pragma once
// Message texts of the database package, kept in one place so they read alike.

extern const char SFieldNotFound[];        // field name
extern const char SDataSetOpen[];
extern const char SDataSetClosed[];
extern const char SDatabaseNameMissing[];
extern const char STableNameMissing[];
extern const char SNulInName[];            // property name
extern const char SCannotOpenDatabase[];   // path, reason
extern const char SCannotReadTable[];      // table, path, reason
extern const char SNoStatement[];
extern const char SMoreThanOneStatement[];
extern const char SNoColumns[];
extern const char SCannotRunQuery[];     // path, reason
extern const char SCannotConnect[];      // connection, reason
extern const char SDefaultConnection[];  // what an empty connection string connects to
extern const char SNotATableName[];      // table name
extern const char SNotAQuery[];
extern const char SColumnsChanged[];
extern const char SCannotListTables[];   // connection, reason
extern const char SWaitStopped[];
extern const char SUnreadableRecords[];
