#pragma once
// A PostgreSQL server of a test program's own: made with initdb in a fresh folder under /tmp,
// started with pg_ctl on a Unix socket in that folder only (as "nobody" when the program runs as
// root, since the server refuses root), and stopped and removed with the folder when the object
// goes, or when the program ends in any other way: a watcher process that outlives the program
// does it once the program is gone, however it went (a failed test, an exception, a crash, a
// kill).

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

class TPgServer {
public:
    // The roles it has, with their passwords. "shop" owns the database "shop"; "clerk" may only
    // read it. PGPASSWORD is set to the shop's password, so that libpq finds it as it would in
    // a person's environment.
    static constexpr const char* SuperPassword = "super-secret";
    static constexpr const char* ShopPassword = "shop-secret";
    static constexpr const char* ClerkPassword = "clerk-secret";

    // Finds the server's programs under /usr/lib/postgresql/*/bin, makes and starts the server and
    // creates the shop database (examples/shop.sql's tables, a view, a schema and a table with
    // odd names, a table of every type the dataset reads). Raises std::runtime_error with the
    // reason and the server's log when any step fails.
    TPgServer();
    ~TPgServer();
    TPgServer(const TPgServer&) = delete;
    TPgServer& operator=(const TPgServer&) = delete;

    // The folder of the socket (libpq's host) and of the data.
    const std::filesystem::path& Folder() const { return FFolder; }
    // The folder of the server's programs, psql among them.
    const std::filesystem::path& Bin() const { return FBin; }
    // "host=FOLDER dbname=shop user=USER", without a password.
    std::string ConnectionString(const std::string& user = "shop", const std::string& database = "shop") const;
    // Runs the statements as the superuser in `database`; raises with the server's reason.
    void Execute(const std::string& sql, const std::string& database = "shop") const;
    // The rows of a query as the superuser, each value as the server writes it, NULL as Null.
    static constexpr const char* Null = "(null)";
    std::vector<std::vector<std::string>> Query(const std::string& sql, const std::string& database = "shop") const;

    // Stops the server at once, as a crash would (an immediate shutdown), and starts it again.
    void Kill();
    void Start();

private:
    void RunTool(const std::string& tool, const std::string& arguments) const;
    std::string Log() const;

    std::filesystem::path FFolder;
    std::filesystem::path FBin;
    int FWatcher = -1;  // the write end of the watcher's pipe: closing it ends the server
    pid_t FWatcherPid = -1;
};
