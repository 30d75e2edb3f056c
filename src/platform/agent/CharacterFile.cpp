#include "platform/agent/CharacterFile.h"

#include "platform/text/Codepage.h"

#include <sqlite3.h>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <unordered_map>

namespace platform::agent {
namespace {

std::string lookupKey(std::string_view name) { return upper(clip(name)); }

struct CloseDatabase {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};
struct FinishStatement {
    void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using Database = std::unique_ptr<sqlite3, CloseDatabase>;
using Statement = std::unique_ptr<sqlite3_stmt, FinishStatement>;

Database open(const std::string& path, int flags) {
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(toUtf8(path).c_str(), &db, flags, nullptr);
    Database owned(db);
    if (rc != SQLITE_OK) owned.reset();
    return owned;
}

// Nothing when the statement does not compile (no such table or column, not a database).
Statement prepare(sqlite3* db, const char* sql) {
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &s, nullptr) != SQLITE_OK) return nullptr;
    return Statement(s);
}

std::string columnText(sqlite3_stmt* s, int column) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(s, column));
    return text ? fromUtf8(text) : std::string();
}

bool withinLimits(int width, int height) { return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide; }

bool readCharacterRow(sqlite3* db, CharacterData& data) {
    Statement s = prepare(db, "SELECT name, width, height, version FROM character");
    if (!s || sqlite3_step(s.get()) != SQLITE_ROW) return false;
    data.name = columnText(s.get(), 0);
    data.width = sqlite3_column_int(s.get(), 1);
    data.height = sqlite3_column_int(s.get(), 2);
    return sqlite3_column_int64(s.get(), 3) == kCharacterFileVersion && withinLimits(data.width, data.height);
}

// Each image decoded once; `indexOf` maps the file's ids to positions in data.images.
bool readImages(sqlite3* db, CharacterData& data, std::unordered_map<sqlite3_int64, int>& indexOf) {
    Statement count = prepare(db, "SELECT count(*) FROM image");
    if (!count || sqlite3_step(count.get()) != SQLITE_ROW || sqlite3_column_int64(count.get(), 0) > kMaxImages)
        return false;
    Statement s = prepare(db, "SELECT id, png FROM image");
    if (!s) return false;
    int rc;
    while ((rc = sqlite3_step(s.get())) == SQLITE_ROW) {
        const auto* bytes = static_cast<const uchar*>(sqlite3_column_blob(s.get(), 1));
        QImage image = QImage::fromData(bytes, sqlite3_column_bytes(s.get(), 1), "PNG");
        if (image.isNull() || !withinLimits(image.width(), image.height())) return false;
        indexOf[sqlite3_column_int64(s.get(), 0)] = static_cast<int>(data.images.size());
        data.images.push_back(image.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    }
    return rc == SQLITE_DONE;
}

bool readFrames(sqlite3* db, CharacterData& data, const std::unordered_map<sqlite3_int64, int>& indexOf) {
    Statement s = prepare(db, "SELECT animation, image, duration FROM frame ORDER BY animation, position");
    if (!s) return false;
    int rc;
    while ((rc = sqlite3_step(s.get())) == SQLITE_ROW) {
        const auto image = indexOf.find(sqlite3_column_int64(s.get(), 1));
        if (image == indexOf.end()) return false;
        const std::string name = columnText(s.get(), 0);
        Animation& animation = data.animations[lookupKey(name)];
        if (animation.frames.empty()) animation.name = clip(name);
        animation.frames.push_back({image->second, std::max(sqlite3_column_int(s.get(), 2), 0)});
    }
    return rc == SQLITE_DONE;
}

bool execute(sqlite3* db, const char* sql) { return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }

bool writeRows(sqlite3* db, const CharacterSource& source) {
    Statement character = prepare(db, "INSERT INTO character VALUES (?, ?, ?, ?)");
    const std::string name = toUtf8(source.name);
    sqlite3_bind_text(character.get(), 1, name.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_int(character.get(), 2, source.width);
    sqlite3_bind_int(character.get(), 3, source.height);
    sqlite3_bind_int64(character.get(), 4, kCharacterFileVersion);
    if (sqlite3_step(character.get()) != SQLITE_DONE) return false;

    Statement image = prepare(db, "INSERT INTO image VALUES (?, ?)");
    for (std::size_t i = 0; i < source.pngs.size(); ++i) {
        sqlite3_reset(image.get());
        sqlite3_bind_int64(image.get(), 1, static_cast<sqlite3_int64>(i + 1));
        sqlite3_bind_blob(image.get(), 2, source.pngs[i].constData(), static_cast<int>(source.pngs[i].size()),
                          SQLITE_STATIC);
        if (sqlite3_step(image.get()) != SQLITE_DONE) return false;
    }

    Statement frame = prepare(db, "INSERT INTO frame VALUES (?, ?, ?, ?)");
    std::map<std::string, int> positions;
    for (const CharacterSource::Frame& f : source.frames) {
        const std::string animation = toUtf8(f.animation);
        sqlite3_reset(frame.get());
        sqlite3_bind_text(frame.get(), 1, animation.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(frame.get(), 2, ++positions[f.animation]);
        sqlite3_bind_int64(frame.get(), 3, f.image + 1);
        sqlite3_bind_int(frame.get(), 4, f.duration);
        if (sqlite3_step(frame.get()) != SQLITE_DONE) return false;
    }
    return true;
}

}  // namespace

const Animation* CharacterData::animation(std::string_view name) const {
    const auto it = animations.find(lookupKey(name));
    return it == animations.end() ? nullptr : &it->second;
}

std::vector<std::string> CharacterData::animationNames() const {
    std::vector<std::string> names;
    for (const auto& [key, animation] : animations) names.push_back(animation.name);
    std::sort(names.begin(), names.end());
    return names;
}

std::optional<CharacterData> readCharacterFile(const std::string& path) {
    Database db = open(path, SQLITE_OPEN_READONLY);
    if (!db) return std::nullopt;
    CharacterData data;
    std::unordered_map<sqlite3_int64, int> indexOf;
    if (!readCharacterRow(db.get(), data) || !readImages(db.get(), data, indexOf) ||
        !readFrames(db.get(), data, indexOf))
        return std::nullopt;
    return data;
}

bool writeCharacterFile(const std::string& path, const CharacterSource& source) {
    std::error_code ignored;
    std::filesystem::remove(std::filesystem::path(toUtf8(path)), ignored);
    Database db = open(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    return db &&
           execute(db.get(),
                   "BEGIN;"
                   "CREATE TABLE character (name TEXT, width INTEGER, height INTEGER, version INTEGER);"
                   "CREATE TABLE image (id INTEGER PRIMARY KEY, png BLOB);"
                   "CREATE TABLE frame (animation TEXT, position INTEGER, image INTEGER, duration INTEGER);") &&
           writeRows(db.get(), source) && execute(db.get(), "COMMIT;");
}

}  // namespace platform::agent
