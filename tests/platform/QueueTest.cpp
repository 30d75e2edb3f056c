#include "platform/data/Queue.h"
#include "platform/data/Record.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

#define ROW_FIELDS(X)    \
    X(CString<10>, NAME) \
    X(Long, NUMBER)      \
    X(Byte, SMALL)       \
    X(String<4>, CODE)
struct Row {
    TABLOOM_RECORD(Row, "ROW", ROW_FIELDS)
};

// A snapshot row whose field names C++ cannot spell.
#define SNAPSHOT_FIELDS(X)               \
    X(Long, CONTROLEQUATE)               \
    X(Byte, PROP_STD, "PROP:STD")        \
    X(CString<20>, PROP_TEXT, "PROP:TEXT")
struct Snapshot {
    TABLOOM_RECORD(Snapshot, "", SNAPSHOT_FIELDS)
};

void addRow(Queue<Row>& q, const char* name, Long number) {
    q.rec.NAME = name;
    q.rec.NUMBER = number;
    q.add();
}

}  // namespace

TEST(Queue, AddGetPutDeleteByPosition) {
    Queue<Row> q;
    addRow(q, "a", 1);
    addRow(q, "b", 2);
    q.rec.NAME = "first";
    q.add(1);
    ASSERT_EQ(q.records(), 3u);
    ASSERT_TRUE(q.get(2));
    EXPECT_EQ(q.rec.NAME.str(), "a");
    EXPECT_EQ(q.pointer(), 2u);
    q.rec.NUMBER = 10;
    ASSERT_TRUE(q.put());
    EXPECT_EQ(q.at(2).NUMBER, 10);
    ASSERT_TRUE(q.remove());
    EXPECT_EQ(q.records(), 2u);
    EXPECT_EQ(q.at(2).NAME.str(), "b");
}

TEST(Queue, AGetOutOfRangeFailsWithEntryNotFoundAndKeepsTheBuffer) {
    Queue<Row> q;
    addRow(q, "a", 1);
    q.rec.NAME = "kept";
    for (std::size_t position : {0u, 2u}) {
        EXPECT_FALSE(q.get(position));
        EXPECT_EQ(q.lastError(), kEntryNotFound);
        EXPECT_EQ(q.rec.NAME.str(), "kept");
    }
}

TEST(Queue, KeyOrderAddSortAndGetByKey) {
    Queue<Row> q;
    const std::vector<SortKey> byName{{"ROW:NAME"}};
    for (const char* name : {"m", "c", "x", "c"}) {
        q.rec.NAME = name;
        q.rec.NUMBER = static_cast<Long>(q.records());
        q.add(byName);
    }
    std::string order;
    for (std::size_t i = 1; i <= q.records(); ++i) order += q.at(i).NAME.str();
    EXPECT_EQ(order, "ccmx");
    EXPECT_EQ(q.at(2).NUMBER, 3);  // an equal key goes after the ones there

    q.sort({{"ROW:NUMBER", true}});
    EXPECT_EQ(q.at(1).NUMBER, 3);

    q.rec.NAME = "x";
    ASSERT_TRUE(q.get(byName));
    EXPECT_EQ(q.rec.NUMBER, 2);
    q.rec.NAME = "none";
    EXPECT_FALSE(q.get(byName));
}

TEST(Queue, FieldsAreFoundByNameAndConvertAsTheRuntimeDoes) {
    Queue<Row> q;
    q.field("row:small").setText("300");  // a BYTE wraps
    EXPECT_EQ(q.rec.SMALL, 44);
    q.field(2).setText("-12.9x");
    EXPECT_EQ(q.rec.NUMBER, -12);
    q.field("ROW:CODE").setText("ab");
    EXPECT_EQ(q.field(4).text(), "ab  ");
    q.field(1).setText("far too long text");
    EXPECT_EQ(q.field(1).text(), "far too l");
    EXPECT_FALSE(q.hasField(5));
    q.clear();
    EXPECT_EQ(q.rec.CODE.str(), "    ");
    EXPECT_EQ(q.rec.NUMBER, 0);
}

TEST(Queue, FieldNamesAreKeptWithoutPrefixAndAsTheRuntimeSpellsThem) {
    const FieldTable& rows = Row::fieldTable();
    EXPECT_EQ(rows.at(1)->name, "NAME");
    EXPECT_EQ(rows.fullName(*rows.at(1)), "ROW:NAME");
    EXPECT_EQ(rows.find("name"), rows.find("ROW:NAME"));
    EXPECT_EQ(rows.find("OTHER:NAME"), nullptr);
    const FieldTable& snapshot = Snapshot::fieldTable();
    EXPECT_EQ(snapshot.at(2)->name, "PROP:STD");
    EXPECT_EQ(snapshot.fullName(*snapshot.at(3)), "PROP:TEXT");
    Queue<Snapshot> q;
    q.field("prop:text").setText("Close");
    EXPECT_EQ(q.rec.PROP_TEXT.str(), "Close");
}

TEST(Queue, ListenersHearEveryChange) {
    Queue<Row> q;
    int changes = 0;
    const int id = q.listen([&] { ++changes; });
    addRow(q, "a", 1);
    q.get(1);
    q.put();
    q.free();
    EXPECT_EQ(changes, 3);  // add, put, free; a GET changes nothing
    q.unlisten(id);
    addRow(q, "b", 2);
    EXPECT_EQ(changes, 3);
}
