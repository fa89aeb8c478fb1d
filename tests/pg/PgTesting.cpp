#include "tests/pg/PgTesting.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>

namespace {

std::unique_ptr<TPgServer> Server;

// Stops the server once every test has run; a program that dies first leaves it to the watcher.
class TServerEnvironment : public ::testing::Environment {
public:
    void TearDown() override { Server.reset(); }
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new TServerEnvironment);

}  // namespace

TPgServer& PgServer()
{
    if (!Server)
        Server = std::make_unique<TPgServer>();
    return *Server;
}

std::vector<std::vector<std::string>> ReadCsv(const std::string& text)
{
    std::vector<std::vector<std::string>> records;
    std::vector<std::string> record;
    std::string field;
    bool quoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"')
                field += text[++i];
            else if (c == '"')
                quoted = false;
            else
                field += c;
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            record.push_back(field);
            field.clear();
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            record.push_back(field);
            records.push_back(record);
            record.clear();
            field.clear();
            ++i;
        } else {
            field += c;
        }
    }
    return records;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
