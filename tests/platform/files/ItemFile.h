// A keyed file of items for the tests of the keyed files: texts of each
// kind, numbers, and keys of every sort.
#pragma once

#include "platform/data/Record.h"
#include "platform/files/FileKey.h"
#include "platform/files/KeyedFile.h"

#define ITEM_FIELDS(X)              \
    X(platform::String<4>, TAG)     \
    X(platform::Long, NUMBER)       \
    X(platform::String<20>, NAME)   \
    X(platform::CString<21>, CODE)  \
    X(platform::String<16>, PACKED) \
    X(platform::Real, AMOUNT)
struct ITEMRecord {
    TABLOOM_RECORD(ITEMRecord, "ITM", ITEM_FIELDS)
};

struct ItemFile : platform::KeyedFile {
    explicit ItemFile(const std::string& name) : KeyedFile("ITEMS", name, platform::recordRef(rec)) {}
    ITEMRecord rec;
    platform::FileKey BYTAG{*this, "BYTAG", {{"TAG"}}, {.unique = true}};
    platform::FileKey BYNAME{*this, "BYNAME", {{"NAME"}}, {.nocase = true}};
    platform::FileKey BYCODE{*this, "BYCODE", {{"CODE"}}};
    platform::FileKey BYNUMBER{*this, "BYNUMBER", {{"NUMBER", true}}};
    platform::FileKey ORDER{*this, "ORDER", {{"NUMBER"}, {"NAME", true}}};

    void clearRecord() { platform::clearRecord(ITEMRecord::fieldTable(), &rec); }
    // Clears the record, fills it and adds it.
    bool addItem(std::string_view tag, platform::Long number, std::string_view name = {}, std::string_view code = {}) {
        clearRecord();
        rec.TAG = tag;
        rec.NUMBER = number;
        rec.NAME = name;
        rec.CODE = code;
        return add();
    }
    std::string tag() const { return platform::clip(rec.TAG.view()); }
};
