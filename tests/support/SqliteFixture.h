// A SQLite database built from SQL text in a temporary directory of its own,
// removed with the fixture, reached through the real SQLite3 ODBC driver.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

class SqliteFixture {
public:
    explicit SqliteFixture(std::string_view sql);
    ~SqliteFixture();
    SqliteFixture(const SqliteFixture&) = delete;
    SqliteFixture& operator=(const SqliteFixture&) = delete;

    const std::filesystem::path& directory() const { return directory_; }
    std::filesystem::path path() const { return directory_ / "fixture.db"; }
    // DRIVER=SQLite3;Database=...;
    std::string connectString() const;

private:
    std::filesystem::path directory_;
};
