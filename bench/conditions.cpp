// Deciding 2,000 condition sets of five conditions each for a control, as
// restyling decides them (LoadConditions, building the expression, EVALUATE),
// against the bare SQLite statements that read the same condition rows
// (prepared once, the ones the keyed file runs), in the same run. Target: the
// decisions under 2 times the bare reads.
#include "platform/files/FileTransaction.h"
#include "platform/system/Errors.h"
#include "platform/ui/Window.h"
#include "restyle/ZelConditionFile.h"
#include "restyle/ZelRestyleClass.h"
#include "KeyedFileBench.h"

#include <QApplication>
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <limits>
#include <string>

namespace {

constexpr int kSets = 2000;
constexpr int kRounds = 5;

struct ConditionRow {
    platform::Long property;
    const char* op;
    const char* value;
};

// Applies to "&Cancel" at font size 10 by its last condition.
const ConditionRow kConditions[] = {
    {platform::PROP::Text, "=", "OK"},
    {0, "AND", ""},
    {platform::PROP::FontSize, ">", "8"},
    {0, "OR", ""},
    {platform::PROP::Text, "CONTAINS", "cancel"},
};

using bench::check;
using bench::seconds;

void writeConditions(ZelConditionFile& file) {
    file.setProperty(platform::PROP_Logout, "1");
    check(platform::LOGOUT(1), "LOGOUT");
    for (int set = 1; set <= kSets; ++set) {
        platform::Long id = 0;
        for (const ConditionRow& row : kConditions) {
            file.rec = {};
            file.rec.CONDITIONALSETID = set;
            file.rec.CONDITIONALID = ++id;
            file.rec.PROPERTYEQUATE = row.property;
            file.rec.OPERATOR = row.op;
            file.rec.VALUE = row.value;
            check(file.add(), "ADD");
        }
    }
    check(platform::COMMIT(), "COMMIT");
}

// The keyed file's walk of one set: from the set's key, the row after the
// one read last, until a row of another set.
class Bare {
public:
    explicit Bare(const std::string& path) {
        sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
        const std::string sql =
            "SELECT \"CONDITIONALSETID\", \"CONDITIONALID\", \"CONTROL\", \"PROPERTYEQUATE\", \"OPERATOR\", "
            "\"VALUE\", \"MANUALVALUE\", rowid FROM \"main\".\"ZELCONDITIONFILE\" WHERE (\"CONDITIONALSETID\", "
            "\"CONDITIONALID\", rowid) > (?, ?, ?) ORDER BY \"CONDITIONALSETID\", \"CONDITIONALID\", rowid LIMIT 1";
        sqlite3_prepare_v3(db_, sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &after_, nullptr);
    }
    ~Bare() {
        sqlite3_finalize(after_);
        sqlite3_close(db_);
    }

    int readSet(platform::Long set) {
        int rows = 0;
        std::int64_t id = std::numeric_limits<platform::Long>::min();
        std::int64_t row = std::numeric_limits<std::int64_t>::min();
        std::int64_t setRead = set;
        while (next(setRead, id, row) && rec_.CONDITIONALSETID == set) ++rows;
        return rows;
    }

private:
    bool next(std::int64_t& set, std::int64_t& id, std::int64_t& row) {
        sqlite3_bind_int64(after_, 1, set);
        sqlite3_bind_int64(after_, 2, id);
        sqlite3_bind_int64(after_, 3, row);
        const bool found = sqlite3_step(after_) == SQLITE_ROW;
        if (found) {
            rec_.CONDITIONALSETID = static_cast<platform::Long>(set = sqlite3_column_int64(after_, 0));
            rec_.CONDITIONALID = static_cast<platform::Long>(id = sqlite3_column_int64(after_, 1));
            rec_.CONTROL = text(2);
            rec_.PROPERTYEQUATE = static_cast<platform::Long>(sqlite3_column_int64(after_, 3));
            rec_.OPERATOR = text(4);
            rec_.VALUE = text(5);
            rec_.MANUALVALUE = static_cast<platform::Byte>(sqlite3_column_int64(after_, 6));
            row = sqlite3_column_int64(after_, 7);
        }
        sqlite3_reset(after_);
        return found;
    }
    std::string_view text(int column) {
        const void* data = sqlite3_column_blob(after_, column);
        return {static_cast<const char*>(data), static_cast<std::size_t>(sqlite3_column_bytes(after_, column))};
    }

    sqlite3* db_ = nullptr;
    sqlite3_stmt* after_ = nullptr;
    ZELCONDITIONFILERecord rec_;
};

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    char pattern[] = "/tmp/tabloom-bench-XXXXXX";
    const std::filesystem::path folder = mkdtemp(pattern);
    const std::string path = (folder / "ZelConditional").string();

    ZelConditionFile file(path);
    check(file.create() && file.open(), "open");
    writeConditions(file);
    ZelRestyleClass restyler;
    restyler.SetConditionFile(file, file.P_KEY_ZELCD, file.rec.CONDITIONALSETID, file.rec.CONDITIONALID,
                              file.rec.CONTROL, file.rec.PROPERTYEQUATE, file.rec.OPERATOR, file.rec.VALUE,
                              file.rec.MANUALVALUE);
    platform::Window window(platform::WindowSpec{
        .label = "W", .controls = {{.type = platform::CREATE::button, .label = "?Cancel", .text = "&Cancel"}}});
    const platform::Long control = window.equate("?Cancel");
    window.setProperty(control, platform::PROP::FontSize, "10");
    Bare bare(path);

    double layer = 1e9, bareTime = 1e9;
    for (int r = 0; r < kRounds; ++r) {
        int applied = 0, rows = 0;
        layer = std::min(layer, seconds([&] {
            for (int set = 1; set <= kSets; ++set)
                applied += restyler.decideConditionSet("Set", set, window, control).applies;
        }));
        bareTime = std::min(bareTime, seconds([&] {
            for (int set = 1; set <= kSets; ++set) rows += bare.readSet(set);
        }));
        check(applied == kSets && rows == kSets * 5, "deciding");
    }
    std::filesystem::remove_all(folder);
    const double ratio = layer / bareTime;
    std::printf("2,000 sets of five conditions: decided %.3f s, bare reads %.3f s, ratio %.2f (target < 2)\n", layer,
                bareTime, ratio);
    return ratio < 2 ? 0 : 1;
}
