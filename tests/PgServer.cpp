#include "tests/PgServer.h"

#include <fcntl.h>
#include <grp.h>
#include <libpq-fe.h>
#include <pwd.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The shop of examples/shop.sql in the server's own types, and what the dataset must read: names
// that need quotes, and every type it knows with NULLs and the edges of each.
const char ShopSql[] = R"sql(
CREATE TABLE customers (id integer PRIMARY KEY, name text NOT NULL, city text, email text);
INSERT INTO customers VALUES
  (1, 'Ada Brennan', 'Lisbon', 'ada@example.org'), (2, 'Tomas Varga', 'Szeged', 'tomas@example.org'),
  (3, 'Mirela Popa', 'Cluj', 'mirela@example.org'), (4, 'Jonas Eklund', 'Uppsala', NULL);
CREATE TABLE products (id integer PRIMARY KEY, name text NOT NULL, price numeric(8, 2) NOT NULL, stock integer);
INSERT INTO products VALUES (1, 'Teapot', 24.50, 12), (2, 'Cup', 6.00, 80), (3, 'Kettle', 39.90, 5), (4, 'Tray', 15.25, 0);
CREATE TABLE orders (
  id integer PRIMARY KEY, customer_id integer REFERENCES customers, product_id integer REFERENCES products,
  quantity integer NOT NULL, ordered timestamp, note text);
INSERT INTO orders VALUES
  (1, 1, 1, 1, '2024-03-02 10:15:00', NULL), (2, 1, 2, 4, '2024-03-02 10:15:00', 'gift wrap'),
  (3, 2, 3, 1, '2024-03-05 16:40:00', NULL), (4, 3, 2, 6, '2024-03-09 09:05:00', 'deliver after 5 pm'),
  (5, 4, 4, 2, '2024-03-11 13:30:00', NULL);
CREATE VIEW order_lines AS
  SELECT o.id, c.name AS customer, p.name AS product, o.quantity, p.price * o.quantity AS total
  FROM orders o JOIN customers c ON c.id = o.customer_id JOIN products p ON p.id = o.product_id;
CREATE SEQUENCE tickets;
CREATE SCHEMA "Back Office";
CREATE TABLE "Back Office"."Odd ""Name""" (n integer);
INSERT INTO "Back Office"."Odd ""Name""" VALUES (7);
CREATE TABLE every_type (
  id int4, small int2, large int8, exact numeric, wide numeric, single float4, double float8, yes bool,
  label text, code varchar(40), fixed char(4), day date, at time, moment timestamp, instant timestamptz,
  data bytea, doc json, docb jsonb, tag uuid, list int4[], words text[]);
INSERT INTO every_type VALUES
  (1, 32767, 9223372036854775807, 1234.50, 12345678901234567.891, 1.5, 0.1, true,
   'say "hi", then; leave', 'line one' || chr(13) || chr(10) || 'line two', 'ab', '2024-02-29', '13:45:30.1234',
   '2024-02-29 13:45:30', '2024-02-29 13:45:30+01', '\x00ff', '{"a": [1, "x"]}', '{"b": null}',
   'a0eebc99-9c0b-4ef8-bb6d-6bb9bd380a11', '{1,2,NULL}', '{"a b","c,d"}'),
  (2, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL,
   NULL, NULL),
  (3, -32768, -9223372036854775808, 'NaN', -0.000000000000000001, '-Infinity', -2.5e-300, false,
   'emoji 😀 and ünïcödé', '', 'x', 'infinity', '23:59:59.9996', '10000-01-01 00:00:00',
   '0044-03-15 12:00:00 BC', '\x', '[]', '{}', '00000000-0000-0000-0000-000000000000', '{}', '{}');
GRANT USAGE ON SCHEMA "Back Office" TO clerk;
GRANT SELECT ON ALL TABLES IN SCHEMA public, "Back Office" TO clerk;
)sql";

std::string Quoted(const fs::path& path)
{
    std::string quoted = "'";
    for (char c : path.string())
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// The newest server's programs: scripts/setup installs Debian's postgresql package.
fs::path ServerBin()
{
    fs::path newest;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator("/usr/lib/postgresql", error))
        if (fs::exists(entry.path() / "bin" / "pg_ctl") && (newest.empty() || entry.path() > newest))
            newest = entry.path() / "bin";
    if (newest.empty())
        throw std::runtime_error("no PostgreSQL server under /usr/lib/postgresql/*/bin: run scripts/setup");
    return newest;
}

// The server will not run as root: the tests' own user otherwise.
struct TServerUser {
    uid_t Uid;
    gid_t Gid;
};
TServerUser ServerUser()
{
    if (geteuid() != 0)
        return {geteuid(), getegid()};
    const passwd* nobody = getpwnam("nobody");
    if (!nobody)
        throw std::runtime_error("the tests run as root and there is no user nobody to run the server as");
    return {nobody->pw_uid, nobody->pw_gid};
}

std::string Slurp(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

struct FinishConnection {
    void operator()(PGconn* connection) const { PQfinish(connection); }
};

}  // namespace

TPgServer::TPgServer() : FBin(ServerBin())
{
    std::string pattern = "/tmp/pgserver.XXXXXX";
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make the server's folder");
    FFolder = pattern;
    const TServerUser user = ServerUser();

    // The watcher first, so that nothing made from here on outlives the program. It waits for
    // the end of its pipe, which comes when this object closes it or the program is gone, then
    // stops the server at once and removes the folder. Its own session keeps it out of a kill
    // of the program's process group.
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0)
        throw std::runtime_error("cannot make the watcher's pipe");
    const std::string watch =
        "cat >/dev/null; pid=$(head -n 1 " + Quoted(FFolder / "data" / "postmaster.pid") + " 2>/dev/null); "
        "if [ -n \"$pid\" ] && kill -QUIT \"$pid\" 2>/dev/null; then "
        "while kill -0 \"$pid\" 2>/dev/null; do sleep 0.05; done; fi; rm -rf " + Quoted(FFolder);
    FWatcherPid = fork();
    if (FWatcherPid == 0) {
        setsid();
        dup2(ends[0], STDIN_FILENO);
        execl("/bin/sh", "sh", "-c", watch.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(ends[0]);
    FWatcher = ends[1];
    if (FWatcherPid < 0) {
        close(FWatcher);
        fs::remove_all(FFolder);
        throw std::runtime_error("cannot start the server's watcher");
    }

    try {
        std::ofstream(FFolder / "password") << SuperPassword << '\n';
        for (const fs::path& path : {FFolder, FFolder / "password"})
            if (chown(path.c_str(), user.Uid, user.Gid) != 0)
                throw std::runtime_error("cannot give " + path.string() + " to the server's user");
        RunTool("initdb", "-D " + Quoted(FFolder / "data") + " -U postgres --pwfile=" + Quoted(FFolder / "password") +
                              " -A scram-sha-256 -E UTF8 --no-locale -N");
        // A socket in the folder and no TCP; durability is no concern of a server that lives
        // for one test program; times in UTC whatever the machine's zone.
        std::ofstream(FFolder / "data" / "postgresql.conf", std::ios::app)
            << "listen_addresses = ''\nunix_socket_directories = " << Quoted(FFolder) << "\n"
            << "fsync = off\nsynchronous_commit = off\nfull_page_writes = off\nautovacuum = off\n"
            << "shared_buffers = 16MB\nmax_connections = 20\ntimezone = 'UTC'\n";
        Start();
        setenv("PGPASSWORD", ShopPassword, 1);
        Execute(std::string("CREATE ROLE shop LOGIN PASSWORD '") + ShopPassword + "';" +
                    "CREATE ROLE clerk LOGIN PASSWORD '" + ClerkPassword + "';",
                "postgres");
        Execute("CREATE DATABASE shop OWNER shop", "postgres");
        Execute("SET ROLE shop;" + std::string(ShopSql));
    } catch (...) {
        close(FWatcher);
        waitpid(FWatcherPid, nullptr, 0);
        throw;
    }
}

TPgServer::~TPgServer()
{
    close(FWatcher);
    waitpid(FWatcherPid, nullptr, 0);
}

std::string TPgServer::Log() const
{
    return Slurp(FFolder / "tools.log") + Slurp(FFolder / "server.log");
}

void TPgServer::RunTool(const std::string& tool, const std::string& arguments) const
{
    const TServerUser user = ServerUser();
    const std::string command = Quoted(FBin / tool) + " " + arguments + " >>" + Quoted(FFolder / "tools.log") + " 2>&1";
    const pid_t pid = fork();
    if (pid == 0) {
        // The tests' working folder may be closed to the server's user (a build under /root).
        if (chdir(FFolder.c_str()) != 0 ||
            (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(user.Gid) != 0 || setuid(user.Uid) != 0)))
            _exit(126);
        execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = -1;
    if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(tool + " failed:\n" + Log());
}

void TPgServer::Start()
{
    RunTool("pg_ctl", "start -w -t 60 -D " + Quoted(FFolder / "data") + " -l " + Quoted(FFolder / "server.log"));
}

void TPgServer::Kill()
{
    RunTool("pg_ctl", "stop -m immediate -w -D " + Quoted(FFolder / "data"));
}

std::string TPgServer::ConnectionString(const std::string& user, const std::string& database) const
{
    return "host=" + FFolder.string() + " dbname=" + database + " user=" + user;
}

namespace {

std::unique_ptr<PGconn, FinishConnection> Superuser(const std::string& conninfo)
{
    std::unique_ptr<PGconn, FinishConnection> connection(PQconnectdb(conninfo.c_str()));
    if (PQstatus(connection.get()) != CONNECTION_OK)
        throw std::runtime_error("cannot connect to the test server: " + std::string(PQerrorMessage(connection.get())));
    PQsetNoticeProcessor(connection.get(), [](void*, const char*) {}, nullptr);
    return connection;
}

}  // namespace

void TPgServer::Execute(const std::string& sql, const std::string& database) const
{
    Query(sql, database);
}

std::vector<std::vector<std::string>> TPgServer::Query(const std::string& sql, const std::string& database) const
{
    auto connection = Superuser(ConnectionString("postgres", database) + " password=" + SuperPassword);
    std::unique_ptr<PGresult, void (*)(PGresult*)> result(PQexec(connection.get(), sql.c_str()), PQclear);
    const ExecStatusType status = PQresultStatus(result.get());
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
        throw std::runtime_error("the test server refused " + sql.substr(0, 60) + ": " +
                                 PQresultErrorMessage(result.get()));
    std::vector<std::vector<std::string>> rows(static_cast<size_t>(PQntuples(result.get())));
    for (int row = 0; row < PQntuples(result.get()); ++row)
        for (int column = 0; column < PQnfields(result.get()); ++column)
            rows[static_cast<size_t>(row)].push_back(PQgetisnull(result.get(), row, column)
                                                         ? Null
                                                         : std::string(PQgetvalue(result.get(), row, column),
                                                                       static_cast<size_t>(PQgetlength(result.get(), row, column))));
    return rows;
}
