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
