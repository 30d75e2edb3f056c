// Base of the per-window restyle class and of the style manager: references
// to the condition-set, condition and restyle files (bound at run time by
// the binders, never owned), to the user name and the current profile, the
// procedure name, and the persistence of whole records as rows of the
// restyle file.
//
// A record is stored as one row per field: PARAMETER is the field's name as
// its field table gives it ("ENABLED"), VALUE its value as text. A record is
// passed as a RecordRef (a GROUP) or as a queue, whose buffer is used.
// Keys are never cut: a property or parameter longer than its key field makes
// a save write nothing (and STOP), a load return 0 and a delete do nothing.
// One record's rows are written all or none, inside a running LOGOUT too.
// Any other failed write STOPs once and marks its file unavailable for the
// run (UnavailableFiles.h): the file is written no more, silently.
//
// Condition sets are looked up by group for one user (UPPER(CLIP) of the
// user name), profile (CLIP) and procedure: "~Global settings" when Global
// is 1, else this object's PROCEDURENAME; with UseChangeGlobal 1 the style
// manager's change-global switch (REFCHANGEGLOBALPROPERTIES) stands in for
// Global. The file's sort key ignores case, the lookups do not (trailing
// blanks aside): profiles that differ only in case keep their sets apart.
// A set number is never 0: 0 says no set.
//
// The files, their buffers and the references are shared by the style manager
// and every restyle object on every thread; none of these operations waits
// (only the STOP after a failed write does, when nothing is left half done).
#pragma once

#include "platform/data/AnyRef.h"
#include "platform/data/Queue.h"
#include "platform/data/Record.h"
#include "platform/data/RecordRef.h"
#include "platform/text/Text.h"
#include "restyle/ControlList.h"
#include "restyle/PropertyCatalogue.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace platform {
class FileKey;
class KeyedFile;
class Window;
}  // namespace platform

#define CONDITIONSETQUEUE_FIELDS(X)         \
    X(platform::String<64>, CONDITIONALSET) \
    X(platform::Long, CONDITIONALSETID)
struct CONDITIONSETQUEUERecord {
    TABLOOM_RECORD(CONDITIONSETQUEUERecord, "", CONDITIONSETQUEUE_FIELDS)
};

#define CONDITIONQUEUE_FIELDS(X)            \
    X(platform::String<255>, CONDITION)     \
    X(platform::Long, CONDITIONALID)        \
    X(platform::String<64>, CONTROL)        \
    X(platform::Long, PROPERTYEQUATE)       \
    X(platform::String<64>, PROPERTY)       \
    X(platform::String<10>, OPERATOR)       \
    X(platform::String<128>, VALUE)         \
    X(platform::Byte, MANUALVALUE)
struct CONDITIONQUEUERecord {
    TABLOOM_RECORD(CONDITIONQUEUERecord, "", CONDITIONQUEUE_FIELDS)
};

class ZelRestyleBaseClass {
public:
    virtual ~ZelRestyleBaseClass() = default;

    // Removes the disabled property settings and then the empty condition
    // sets of the current user and profile. A new profile's marker set is
    // kept: it is what lists the profile.
    virtual void PurgeConditionSets();
    // 1 when the records hold, from field `firstField` on, the same names
    // (without regard to case) with the same values (with it), both clipped.
    virtual platform::Byte GroupsEqual(platform::RecordRef groupA, platform::RecordRef groupB,
                                       platform::Long firstField);
    // A stored expression with its references to control properties
    // ("?OK{PROP:Text}", "?SELF{Text}": SELF is `selfControl`, 0 the window)
    // replaced by their present values in `window`: a text property, or a
    // value that is not a number, as a text literal; a number as it is. What
    // a value holds is never scanned again. A broken reference gives
    // "ERROR in expression - " and the reason, which EVALUATE refuses.
    virtual std::string ResolveExpression(const platform::Window& window, const ControlList& controls,
                                          const PropertyCatalogue& catalogue, std::string_view expression,
                                          platform::Long selfControl);
    virtual void DeleteGroup(platform::RecordRef group, platform::Long setId, std::string_view property);
    virtual void DeleteQueue(platform::QueueBase& queue, platform::Long setId, std::string_view property);
    // 1 when the group has a set; the change-global switch is not consulted.
    virtual platform::Byte ConditionSetExists(platform::Byte global, std::string_view groupName);
    // 1 when the set holds the property (any, when empty) with ENABLED 1.
    virtual platform::Byte IsPropertyEnabled(platform::Long setId, std::string_view property);
    // CONDITIONSETQUEUE := the group's sets in name order; with `create` 1,
    // "-Unconditional-" is created when the group lacks it.
    virtual void LoadConditionSets(platform::Byte create, platform::Byte global, platform::Byte useChangeGlobal,
                                   std::string_view groupName);
    // The group's first set by the sort key; for a group without sets
    // "-Unconditional-" is created. 0 when that ADD failed (after a STOP).
    virtual platform::Long GetConditionSetID(platform::Byte global, platform::Byte useChangeGlobal,
                                             std::string_view groupName);
    // 1 when every field was found; on a missing one 0, the fields before it
    // loaded and the others untouched.
    virtual platform::Byte LoadGroup(platform::RecordRef group, platform::Long setId, std::string_view property);
    virtual platform::Byte LoadQueue(platform::QueueBase& queue, platform::Long setId, std::string_view property);
    // 1 with the variable set from the row; 0 (variable untouched) when none.
    virtual platform::Byte LoadSetting(platform::AnyRef variable, platform::Long setId, std::string_view property,
                                       std::string_view parameter);
    virtual std::string StripLabelPrefix(std::string_view label);
    virtual void SaveGroup(platform::RecordRef group, platform::Long setId, std::string_view property);
    virtual void SaveQueue(platform::QueueBase& queue, platform::Long setId, std::string_view property);
    virtual void SaveSetting(std::string_view value, platform::Long setId, std::string_view parameter,
                             std::string_view property);
    virtual void SetConditionFile(platform::KeyedFile& file, platform::FileKey& primaryKey,
                                  platform::AnyRef conditionalSetId, platform::AnyRef conditionalId,
                                  platform::AnyRef control, platform::AnyRef propertyEquate,
                                  platform::AnyRef comparison, platform::AnyRef value, platform::AnyRef manualValue);
    virtual void SetConditionSetFile(platform::KeyedFile& file, platform::FileKey& primaryKey,
                                     platform::FileKey& sortKey, platform::AnyRef userName, platform::AnyRef profile,
                                     platform::AnyRef procedureName, platform::AnyRef groupName,
                                     platform::AnyRef conditionalSet, platform::AnyRef conditionalSetId);
    virtual void SetRestyleFile(platform::KeyedFile& file, platform::FileKey& primaryKey,
                                platform::AnyRef conditionalSetId, platform::AnyRef property,
                                platform::AnyRef parameter, platform::AnyRef value);
    // The user name is bound by reference: later changes of the variable count.
    virtual void SetUserName(platform::String<255>& userName);

    platform::KeyedFile* CONDITIONFILE = nullptr;
    platform::FileKey* CONDITIONFILEPRIMARYKEY = nullptr;
    platform::AnyRef CONDITIONFILECONDITIONALSETIDFIELD;
    platform::AnyRef CONDITIONFILECONDITIONALIDFIELD;
    platform::AnyRef CONDITIONFILECONTROLFIELD;
    platform::AnyRef CONDITIONFILEPROPERTYEQUATEFIELD;
    platform::AnyRef CONDITIONFILEOPERATORFIELD;
    platform::AnyRef CONDITIONFILEVALUEFIELD;
    platform::AnyRef CONDITIONFILEMANUALVALUEFIELD;
    platform::KeyedFile* CONDITIONSETFILE = nullptr;
    platform::FileKey* CONDITIONSETFILEPRIMARYKEY = nullptr;
    platform::FileKey* CONDITIONSETFILESORTKEY = nullptr;
    platform::AnyRef CONDITIONSETFILEUSERNAMEFIELD;
    platform::AnyRef CONDITIONSETFILEPROFILEFIELD;
    platform::AnyRef CONDITIONSETFILEPROCEDURENAMEFIELD;
    platform::AnyRef CONDITIONSETFILEGROUPNAMEFIELD;
    platform::AnyRef CONDITIONSETFILECONDITIONALSETFIELD;
    platform::AnyRef CONDITIONSETFILECONDITIONALSETIDFIELD;
    platform::Queue<CONDITIONSETQUEUERecord> CONDITIONSETQUEUE;  // the sets of the last lookup
    platform::Queue<CONDITIONQUEUERecord> CONDITIONQUEUE;        // the conditions of one set
    platform::Byte* REFCHANGEGLOBALPROPERTIES = nullptr;
    platform::AnyRef REFCURRENTPROFILE;
    platform::CString<81> PROCEDURENAME;
    platform::KeyedFile* RESTYLEFILE = nullptr;
    platform::FileKey* RESTYLEFILEPRIMARYKEY = nullptr;
    platform::AnyRef RESTYLEFILECONDITIONALSETID;
    platform::AnyRef RESTYLEFILEPROPERTYFIELD;
    platform::AnyRef RESTYLEFILEPARAMETERFIELD;
    platform::AnyRef RESTYLEFILEVALUEFIELD;
    platform::String<255>* USERNAME = nullptr;

protected:
    // Positions a walk of the condition file before the set's first condition.
    void walkConditions(platform::Long setId);
    // One more than the highest set number in the condition-set file (1 in
    // an empty file): the number a new set is added under.
    platform::Long nextConditionSetId();
    // Positions a walk before the set's first stored row (of the property).
    void walkSettings(platform::Long setId, std::string_view property = {});
    // Every set of one scope (Global as the lookups take it), in the sort
    // key's order: its group, its name and its number.
    using SetVisitor = std::function<void(std::string_view group, std::string_view set, platform::Long setId)>;
    void walkScope(platform::Byte global, const SetVisitor& each);
    // Every row the set stores, in key order, read in one walk.
    using RowVisitor =
        std::function<void(std::string_view property, std::string_view parameter, std::string value)>;
    void walkSetRows(platform::Long setId, const RowVisitor& each);
    // Fills the record's fields in order, each from the value `rowOf` gives
    // for its name, as LoadGroup does from the file: 0 at the first missing.
    using RowLookup = std::function<std::optional<std::string>(std::string_view parameter)>;
    static platform::Byte fillRecord(platform::RecordRef record, const RowLookup& rowOf);

private:
    // The user, profile, procedure and group a lookup seeks, as compared.
    struct SetGroup {
        std::string user, profile, procedure, group;
    };
    SetGroup setGroup(platform::Byte global, platform::Byte useChangeGlobal, std::string_view groupName) const;
    void setGroupFields(const SetGroup& group);
    // Positions S_KEY_ZELCS before the group's first set.
    void seekGroup(const SetGroup& group);
    // Reads the next set; false past the group's last.
    bool nextSetOf(const SetGroup& group);
    platform::Long setIdRead() const;
    // Adds "-Unconditional-" to the group under the next free number; 0 (after
    // the STOP) when the ADD fails, and at once while the file is unavailable.
    platform::Long createUnconditional(const SetGroup& group);
    void queueSet(std::string_view name, platform::Long setId);

    enum class Row { TooLong, Found, Missing };
    // Sets the restyle file's key fields and reads that row.
    Row findRow(platform::Long setId, std::string_view property, std::string_view parameter);
    bool storeRow(Row row, std::string_view value);
    // Each field of the record as a row; false when a write failed (all
    // taken back).
    bool saveRecord(platform::RecordRef record, platform::Long setId, std::string_view property);
    platform::Byte loadRecord(platform::RecordRef record, platform::Long setId, std::string_view property);
    void deleteRecord(platform::RecordRef record, platform::Long setId, std::string_view property);
    // After a failed write: true when the failure is to be told, the file
    // then marked unavailable (UnavailableFiles.h).
    static bool toldOnce(const platform::KeyedFile& file);
    void stopSaving(std::string_view operation);
    void deleteDisabledSettings(platform::Long setId);
    bool hasConditions(platform::Long setId);
    bool hasSettings(platform::Long setId);
};
