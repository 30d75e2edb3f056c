// 20,000 rows of the restyle file through the keyed files and the restyle
// base class, and through the same SQLite statements prepared once and
// stepped bare, in the same run: ADD inside a LOGOUT, a GET of each row, a
// SET/NEXT walk, PUT and DELETE of 1,000 rows each, and SaveGroup/LoadGroup
// of 5,000 records. The writes run inside a LOGOUT, as the configuration
// windows write (one by one each would wait for the disk, which is not what
// is measured); the time is the statements', without beginning and
// committing the transaction. Target: the layer under 1.5 times the bare
// statements in each.
#include "platform/files/FileTransaction.h"
#include "platform/system/Errors.h"
#include "restyle/RestyleRows.h"
#include "restyle/ZelRestyleBaseClass.h"
#include "restyle/ZelRestyleFile.h"
#include "KeyedFileBench.h"

#include <QApplication>
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

namespace {

constexpr int kRows = 20000;
constexpr int kChanges = 1000;
constexpr int kRecords = 5000;
constexpr int kRounds = 5;

const std::string kTable = "\"main\".\"ZELRESTYLEFILE\"";
const std::string kFields = "\"CONDITIONALSETID\", \"PROPERTY\", \"PARAMETER\", \"VALUE\"";
const std::string kKey = "\"CONDITIONALSETID\", \"PROPERTY\", \"PARAMETER\"";
const std::string kSelect = "SELECT " + kFields + ", rowid FROM " + kTable;
const std::string kForward = " ORDER BY " + kKey + ", rowid LIMIT 1";

struct Key {
    platform::Long set;
    std::string property;
    std::string parameter;
};

Key keyOf(int i) {
    static const char* const parameters[] = {"CLARIONVALUE", "ENABLED", "VALUE"};
    return {i / 30 + 1, "property " + std::to_string(i / 3 % 10), parameters[i % 3]};
}

std::string valueOf(int i) { return "value " + std::to_string(i); }

using bench::check;
using bench::seconds;

// The statements the layer runs, prepared once on a connection of their own.
class Bare {
public:
    explicit Bare(const std::string& path) {
        sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
        sqlite3_busy_timeout(db_, 2000);
        insert_ = prepare("INSERT INTO " + kTable + " (" + kFields + ") VALUES (?, ?, ?, ?)");
        get_ = prepare(kSelect + " WHERE (" + kKey + ") = (?, ?, ?)" + kForward);
        first_ = prepare(kSelect + kForward);
        after_ = prepare(kSelect + " WHERE (" + kKey + ", rowid) > (?, ?, ?, ?)" + kForward);
        update_ = prepare("UPDATE " + kTable +
                          " SET \"CONDITIONALSETID\" = ?, \"PROPERTY\" = ?, \"PARAMETER\" = ?, \"VALUE\" = ? WHERE rowid = ?");
        delete_ = prepare("DELETE FROM " + kTable + " WHERE rowid = ?");
        savepoint_ = prepare("SAVEPOINT record");
        release_ = prepare("RELEASE record");
    }
    ~Bare() {
        for (sqlite3_stmt* s : {insert_, get_, first_, after_, update_, delete_, savepoint_, release_}) sqlite3_finalize(s);
        sqlite3_close(db_);
    }

    void execute(const char* sql) { sqlite3_exec(db_, sql, nullptr, nullptr, nullptr); }
    void add(const Key& key, const std::string& value) {
        bindRow(insert_, key, value);
        run(insert_);
    }
    // GET: true with the row in the record.
    bool get(const Key& key) {
        bindKey(get_, key, 1);
        return read(get_);
    }
    bool first() { return read(first_); }
    // The row after the one read last.
    bool next() {
        bindKey(after_, {rec_.CONDITIONALSETID, platform::clip(rec_.PROPERTY.view()), platform::clip(rec_.PARAMETER.view())}, 1);
        sqlite3_bind_int64(after_, 4, row_);
        return read(after_);
    }
    void put(const std::string& value) {
        bindRow(update_, {rec_.CONDITIONALSETID, platform::clip(rec_.PROPERTY.view()), platform::clip(rec_.PARAMETER.view())},
                value);
        sqlite3_bind_int64(update_, 5, row_);
        run(update_);
    }
    void remove() {
        sqlite3_bind_int64(delete_, 1, row_);
        run(delete_);
    }
    void savepoint() { run(savepoint_); }
    void release() { run(release_); }
    const ZELRESTYLEFILERecord& record() const { return rec_; }

private:
    sqlite3_stmt* prepare(const std::string& sql) {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v3(db_, sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr);
        return statement;
    }
    static void bindText(sqlite3_stmt* s, int index, const std::string& text) {
        sqlite3_bind_blob(s, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    }
    static void bindKey(sqlite3_stmt* s, const Key& key, int from) {
        sqlite3_bind_int64(s, from, key.set);
        bindText(s, from + 1, key.property);
        bindText(s, from + 2, key.parameter);
    }
    static void bindRow(sqlite3_stmt* s, const Key& key, const std::string& value) {
        bindKey(s, key, 1);
        bindText(s, 4, value);
    }
    static void run(sqlite3_stmt* s) {
        sqlite3_step(s);
        sqlite3_reset(s);
    }
    std::string_view bytes(sqlite3_stmt* s, int column) {
        const void* data = sqlite3_column_blob(s, column);
        return {static_cast<const char*>(data), static_cast<std::size_t>(sqlite3_column_bytes(s, column))};
    }
    bool read(sqlite3_stmt* s) {
        const bool found = sqlite3_step(s) == SQLITE_ROW;
        if (found) {
            rec_.CONDITIONALSETID = static_cast<platform::Long>(sqlite3_column_int64(s, 0));
            rec_.PROPERTY = bytes(s, 1);
            rec_.PARAMETER = bytes(s, 2);
            rec_.VALUE = bytes(s, 3);
            row_ = sqlite3_column_int64(s, 4);
        }
        sqlite3_reset(s);
        return found;
    }

    sqlite3* db_ = nullptr;
    sqlite3_stmt *insert_, *get_, *first_, *after_, *update_, *delete_, *savepoint_, *release_;
    ZELRESTYLEFILERecord rec_;
    std::int64_t row_ = 0;
};

struct Layer {
    explicit Layer(const std::string& path) : file(path) {
        check(file.create() && file.open(), "open");
        file.setProperty(platform::PROP_Logout, "1");
        base.SetRestyleFile(file, file.P_KEY_ZELRF, file.rec.CONDITIONALSETID, file.rec.PROPERTY, file.rec.PARAMETER,
                            file.rec.VALUE);
    }
    void setKey(const Key& key) {
        file.rec.CONDITIONALSETID = key.set;
        file.rec.PROPERTY = key.property;
        file.rec.PARAMETER = key.parameter;
    }

    ZelRestyleFile file;
    ZelRestyleBaseClass base;
};

struct Phase {
    const char* name;
    double layer = 1e9;
    double bare = 1e9;
};

void measure(Phase& phase, const std::function<void()>& layer, const std::function<void()>& bare) {
    phase.layer = std::min(phase.layer, seconds(layer));
    phase.bare = std::min(phase.bare, seconds(bare));
}

// The same, each side's work timed inside its transaction.
void measureWrites(Phase& phase, Bare& bare, const std::function<void()>& layerWork,
                   const std::function<void()>& bareWork) {
    check(platform::LOGOUT(1), "LOGOUT");
    phase.layer = std::min(phase.layer, seconds(layerWork));
    check(platform::COMMIT(), "COMMIT");
    bare.execute("BEGIN IMMEDIATE");
    phase.bare = std::min(phase.bare, seconds(bareWork));
    bare.execute("COMMIT");
}

void round(const std::filesystem::path& folder, Phase* phases) {
    Layer layer((folder / "layer").string());
    ZelRestyleFile((folder / "bare").string()).create();
    Bare bare((folder / "bare").string());

    measureWrites(
        phases[0], bare,
        [&] {
            for (int i = 0; i < kRows; ++i) {
                layer.setKey(keyOf(i));
                layer.file.rec.VALUE = valueOf(i);
                check(layer.file.add(), "ADD");
            }
        },
        [&] {
            for (int i = 0; i < kRows; ++i) bare.add(keyOf(i), valueOf(i));
        });

    measure(
        phases[1],
        [&] {
            for (int i = 0; i < kRows; ++i) {
                layer.setKey(keyOf(i));
                check(layer.file.get(layer.file.P_KEY_ZELRF), "GET");
            }
        },
        [&] {
            for (int i = 0; i < kRows; ++i) check(bare.get(keyOf(i)), "bare GET");
        });

    int layerRows = 0, bareRows = 0;
    measure(
        phases[2],
        [&] {
            layer.file.set(layer.file.P_KEY_ZELRF);
            while (layer.file.next()) ++layerRows;
        },
        [&] {
            for (bool found = bare.first(); found; found = bare.next()) ++bareRows;
        });
    check(layerRows == kRows && bareRows == kRows, "walk");

    measureWrites(
        phases[3], bare,
        [&] {
            for (int i = 0; i < kChanges; ++i) {
                layer.setKey(keyOf(i * 2));
                check(layer.file.get(layer.file.P_KEY_ZELRF), "GET");
                layer.file.rec.VALUE = "changed";
                check(layer.file.put(), "PUT");
                layer.setKey(keyOf(i * 2 + 1));
                check(layer.file.get(layer.file.P_KEY_ZELRF), "GET");
                check(layer.file.remove(), "DELETE");
            }
        },
        [&] {
            for (int i = 0; i < kChanges; ++i) {
                check(bare.get(keyOf(i * 2)), "bare GET");
                bare.put("changed");
                check(bare.get(keyOf(i * 2 + 1)), "bare GET");
                bare.remove();
            }
        });

    PROPERTYSETTINGRecord setting;
    const auto property = [](int k) { return restyle::propertyName(k % 10); };
    measureWrites(
        phases[4], bare,
        [&] {
            for (int k = 0; k < kRecords; ++k) {
                setting.ENABLED = 1;
                setting.VALUE = valueOf(k);
                layer.base.SaveGroup(platform::recordRef(setting), 10000 + k / 10, property(k));
            }
            for (int k = 0; k < kRecords; ++k)
                check(layer.base.LoadGroup(platform::recordRef(setting), 10000 + k / 10, property(k)) == 1, "LoadGroup");
        },
        [&] {
            static const char* const fields[] = {"ENABLED", "VALUE", "CLARIONVALUE"};
            for (int k = 0; k < kRecords; ++k) {
                bare.savepoint();
                const std::string values[] = {"1", valueOf(k), "0"};
                for (int f = 0; f < 3; ++f) {
                    const Key key{10000 + k / 10, property(k), fields[f]};
                    if (bare.get(key)) bare.put(values[f]);
                    else bare.add(key, values[f]);
                }
                bare.release();
            }
            for (int k = 0; k < kRecords; ++k)
                for (const char* field : fields) check(bare.get({10000 + k / 10, property(k), field}), "bare load");
        });
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);  // SaveGroup and LoadGroup show the wait cursor
    char pattern[] = "/tmp/tabloom-bench-XXXXXX";
    const std::filesystem::path folder = mkdtemp(pattern);
    Phase phases[] = {{"ADD inside LOGOUT"}, {"GET each"}, {"SET/NEXT walk"}, {"PUT and DELETE 1,000"},
                      {"SaveGroup/LoadGroup 5,000"}};
    for (int r = 0; r < kRounds; ++r) {
        round(folder, phases);
        std::filesystem::remove(folder / "layer");
        std::filesystem::remove(folder / "bare");
    }
    bool met = true;
    for (const Phase& phase : phases) {
        const double ratio = phase.layer / phase.bare;
        met = met && ratio < 1.5;
        std::printf("%-26s layer %.3f s, bare %.3f s, ratio %.2f (target < 1.5)\n", phase.name, phase.layer, phase.bare,
                    ratio);
    }
    std::filesystem::remove_all(folder);
    return met ? 0 : 1;
}
