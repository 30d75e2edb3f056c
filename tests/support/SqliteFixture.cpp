#include "SqliteFixture.h"

#include <sqlite3.h>

#include <cstdlib>
#include <stdexcept>

namespace {

std::filesystem::path makeTemporaryDirectory() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tabloom-sqlite-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary directory");
    return pattern;
}

}  // namespace

SqliteFixture::SqliteFixture(std::string_view sql) : directory_(makeTemporaryDirectory()) {
    sqlite3* db = nullptr;
    if (sqlite3_open(path().c_str(), &db) != SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("cannot create " + path().string());
    }
    char* message = nullptr;
    const int rc = sqlite3_exec(db, std::string(sql).c_str(), nullptr, nullptr, &message);
    const std::string error = message ? message : "";
    sqlite3_free(message);
    sqlite3_close(db);
    if (rc != SQLITE_OK) throw std::runtime_error("fixture SQL failed: " + error);
}

SqliteFixture::~SqliteFixture() {
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
}

std::string SqliteFixture::connectString() const { return "DRIVER=SQLite3;Database=" + path().string() + ";"; }
