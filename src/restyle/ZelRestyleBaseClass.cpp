#include "restyle/ZelRestyleBaseClass.h"

#include "platform/files/FileKey.h"
#include "platform/files/FileSavepoint.h"
#include "platform/files/KeyedFile.h"
#include "platform/system/Errors.h"
#include "platform/program/Program.h"
#include "platform/ui/Window.h"
#include "restyle/ExpressionResolver.h"
#include "restyle/RestyleRows.h"
#include "restyle/UnavailableFiles.h"

#include <limits>

using platform::Byte;
using platform::clip;
using platform::Long;
using platform::RecordRef;
using platform::upper;

namespace {

// The runtime numbers a record's fields up to 255.
constexpr std::size_t kMostFields = 255;

// The name of field `number`; empty past the last field.
std::string fieldName(RecordRef record, std::size_t number) {
    return record.hasField(number) ? record.fields->at(number)->name : std::string();
}

RecordRef bufferOf(platform::QueueBase& queue) { return {&queue.fields(), queue.buffer()}; }

bool fits(const platform::AnyRef& field, std::string_view text) { return clip(text).size() <= field.capacity(); }

void clearFileRecord(const platform::KeyedFile& file) {
    platform::clearRecord(*file.record().fields, file.record().buffer);
}

// The wait cursor while a record is saved or loaded.
struct WaitCursor {
    WaitCursor() { platform::SETCURSOR(platform::CURSOR::Wait); }
    ~WaitCursor() { platform::SETCURSOR(); }
};

}  // namespace

// --- binders ------------------------------------------------------------------

void ZelRestyleBaseClass::SetUserName(platform::String<255>& userName) { USERNAME = &userName; }

void ZelRestyleBaseClass::SetRestyleFile(platform::KeyedFile& file, platform::FileKey& primaryKey,
                                         platform::AnyRef conditionalSetId, platform::AnyRef property,
                                         platform::AnyRef parameter, platform::AnyRef value) {
    RESTYLEFILE = &file;
    RESTYLEFILEPRIMARYKEY = &primaryKey;
    RESTYLEFILECONDITIONALSETID = conditionalSetId;
    RESTYLEFILEPROPERTYFIELD = property;
    RESTYLEFILEPARAMETERFIELD = parameter;
    RESTYLEFILEVALUEFIELD = value;
}

void ZelRestyleBaseClass::SetConditionSetFile(platform::KeyedFile& file, platform::FileKey& primaryKey,
                                              platform::FileKey& sortKey, platform::AnyRef userName,
                                              platform::AnyRef profile, platform::AnyRef procedureName,
                                              platform::AnyRef groupName, platform::AnyRef conditionalSet,
                                              platform::AnyRef conditionalSetId) {
    CONDITIONSETFILE = &file;
    CONDITIONSETFILEPRIMARYKEY = &primaryKey;
    CONDITIONSETFILESORTKEY = &sortKey;
    CONDITIONSETFILEUSERNAMEFIELD = userName;
    CONDITIONSETFILEPROFILEFIELD = profile;
    CONDITIONSETFILEPROCEDURENAMEFIELD = procedureName;
    CONDITIONSETFILEGROUPNAMEFIELD = groupName;
    CONDITIONSETFILECONDITIONALSETFIELD = conditionalSet;
    CONDITIONSETFILECONDITIONALSETIDFIELD = conditionalSetId;
}

void ZelRestyleBaseClass::SetConditionFile(platform::KeyedFile& file, platform::FileKey& primaryKey,
                                           platform::AnyRef conditionalSetId, platform::AnyRef conditionalId,
                                           platform::AnyRef control, platform::AnyRef propertyEquate,
                                           platform::AnyRef comparison, platform::AnyRef value,
                                           platform::AnyRef manualValue) {
    CONDITIONFILE = &file;
    CONDITIONFILEPRIMARYKEY = &primaryKey;
    CONDITIONFILECONDITIONALSETIDFIELD = conditionalSetId;
    CONDITIONFILECONDITIONALIDFIELD = conditionalId;
    CONDITIONFILECONTROLFIELD = control;
    CONDITIONFILEPROPERTYEQUATEFIELD = propertyEquate;
    CONDITIONFILEOPERATORFIELD = comparison;
    CONDITIONFILEVALUEFIELD = value;
    CONDITIONFILEMANUALVALUEFIELD = manualValue;
}

// --- rows ---------------------------------------------------------------------

ZelRestyleBaseClass::Row ZelRestyleBaseClass::findRow(Long setId, std::string_view property,
                                                      std::string_view parameter) {
    // A key cut to its field would be another row's key.
    if (!fits(RESTYLEFILEPROPERTYFIELD, property) || !fits(RESTYLEFILEPARAMETERFIELD, parameter)) {
        platform::setError(platform::kKeyValueTooLong);
        return Row::TooLong;
    }
    RESTYLEFILECONDITIONALSETID.setNumber(setId);
    RESTYLEFILEPROPERTYFIELD.setText(clip(property));
    RESTYLEFILEPARAMETERFIELD.setText(clip(parameter));
    return RESTYLEFILE->get(*RESTYLEFILEPRIMARYKEY) ? Row::Found : Row::Missing;
}

bool ZelRestyleBaseClass::storeRow(Row row, std::string_view value) {
    if (row == Row::TooLong) return false;
    RESTYLEFILEVALUEFIELD.setText(value);
    return row == Row::Found ? RESTYLEFILE->put() : RESTYLEFILE->add();
}

// A key too long for its field refuses that row alone: the file goes on.
bool ZelRestyleBaseClass::toldOnce(const platform::KeyedFile& file) {
    return platform::ERRORCODE() == platform::kKeyValueTooLong || restyle::markUnavailable(file);
}

void ZelRestyleBaseClass::stopSaving(std::string_view operation) {
    if (!toldOnce(*RESTYLEFILE)) return;
    platform::STOP("ZelRestyleBaseClass(" + std::string(operation) +
                   "): Restyle gegevens kunnen niet in file " + clip(RESTYLEFILE->name()) + " opgeslagen worden! " +
                   platform::ERROR());
}

void ZelRestyleBaseClass::SaveSetting(std::string_view value, Long setId, std::string_view parameter,
                                      std::string_view property) {
    if (restyle::isUnavailable(*RESTYLEFILE)) return;
    if (!storeRow(findRow(setId, property, parameter), value)) stopSaving("SaveSetting");
}

Byte ZelRestyleBaseClass::LoadSetting(platform::AnyRef variable, Long setId, std::string_view property,
                                      std::string_view parameter) {
    if (findRow(setId, property, parameter) != Row::Found) return 0;
    variable.setText(RESTYLEFILEVALUEFIELD.text());
    return 1;
}

bool ZelRestyleBaseClass::saveRecord(RecordRef record, Long setId, std::string_view property) {
    WaitCursor wait;
    platform::FileSavepoint savepoint(*RESTYLEFILE);
    for (std::size_t i = 1; i <= kMostFields; ++i) {
        const std::string name = fieldName(record, i);
        if (clip(name).empty()) break;
        if (!storeRow(findRow(setId, property, name), record.field(i).text())) return false;
    }
    savepoint.release();
    return true;
}

Byte ZelRestyleBaseClass::loadRecord(RecordRef record, Long setId, std::string_view property) {
    WaitCursor wait;
    return fillRecord(record, [&](std::string_view parameter) -> std::optional<std::string> {
        if (findRow(setId, property, parameter) != Row::Found) return std::nullopt;
        return RESTYLEFILEVALUEFIELD.text();
    });
}

Byte ZelRestyleBaseClass::fillRecord(RecordRef record, const RowLookup& rowOf) {
    for (std::size_t i = 1; i <= kMostFields; ++i) {
        const std::string name = fieldName(record, i);
        if (clip(name).empty()) break;
        const std::optional<std::string> value = rowOf(name);
        if (!value) return 0;
        record.field(i).setText(*value);
    }
    return 1;
}

void ZelRestyleBaseClass::deleteRecord(RecordRef record, Long setId, std::string_view property) {
    for (std::size_t i = 1; i <= kMostFields; ++i) {
        const std::string name = fieldName(record, i);
        if (clip(name).empty()) break;
        if (findRow(setId, property, name) == Row::Found) RESTYLEFILE->remove();
    }
}

void ZelRestyleBaseClass::SaveGroup(RecordRef group, Long setId, std::string_view property) {
    if (!restyle::isUnavailable(*RESTYLEFILE) && !saveRecord(group, setId, property)) stopSaving("SaveGroup");
}

void ZelRestyleBaseClass::SaveQueue(platform::QueueBase& queue, Long setId, std::string_view property) {
    if (!restyle::isUnavailable(*RESTYLEFILE) && !saveRecord(bufferOf(queue), setId, property))
        stopSaving("SaveQueue");
}

Byte ZelRestyleBaseClass::LoadGroup(RecordRef group, Long setId, std::string_view property) {
    return loadRecord(group, setId, property);
}

Byte ZelRestyleBaseClass::LoadQueue(platform::QueueBase& queue, Long setId, std::string_view property) {
    return loadRecord(bufferOf(queue), setId, property);
}

void ZelRestyleBaseClass::DeleteGroup(RecordRef group, Long setId, std::string_view property) {
    deleteRecord(group, setId, property);
}

void ZelRestyleBaseClass::DeleteQueue(platform::QueueBase& queue, Long setId, std::string_view property) {
    deleteRecord(bufferOf(queue), setId, property);
}

// --- records and labels ---------------------------------------------------------

Byte ZelRestyleBaseClass::GroupsEqual(RecordRef groupA, RecordRef groupB, Long firstField) {
    for (Long i = firstField; i <= static_cast<Long>(kMostFields); ++i) {
        const std::size_t number = i < 0 ? 0 : static_cast<std::size_t>(i);
        const std::string nameA = clip(fieldName(groupA, number));
        if (upper(nameA) != upper(clip(fieldName(groupB, number)))) return 0;
        if (nameA.empty()) return 1;
        if (clip(groupA.field(number).text()) != clip(groupB.field(number).text())) return 0;
    }
    return 1;
}

std::string ZelRestyleBaseClass::StripLabelPrefix(std::string_view label) {
    return std::string(!label.empty() && label.front() == '?' ? label.substr(1) : label);
}

// --- purge ------------------------------------------------------------------------

void ZelRestyleBaseClass::PurgeConditionSets() {
    const std::string user = upper(clip(USERNAME->view()));
    const std::string profile = clip(REFCURRENTPROFILE.text());
    CONDITIONSETFILEUSERNAMEFIELD.setText(user);
    CONDITIONSETFILEPROFILEFIELD.setText(profile);
    CONDITIONSETFILEPROCEDURENAMEFIELD.setText("");
    CONDITIONSETFILEGROUPNAMEFIELD.setText("");
    CONDITIONSETFILECONDITIONALSETFIELD.setText("");
    CONDITIONSETFILE->set(*CONDITIONSETFILESORTKEY, *CONDITIONSETFILESORTKEY);
    while (CONDITIONSETFILE->next()) {
        // The key compares without case: profiles that differ only in case
        // come mixed, and only the current one is purged.
        if (upper(clip(CONDITIONSETFILEUSERNAMEFIELD.text())) != user ||
            upper(clip(CONDITIONSETFILEPROFILEFIELD.text())) != upper(profile))
            break;
        if (clip(CONDITIONSETFILEPROFILEFIELD.text()) != profile ||
            CONDITIONSETFILEGROUPNAMEFIELD.text().starts_with(restyle::kNewAccountAdded))
            continue;
        const Long setId = static_cast<Long>(CONDITIONSETFILECONDITIONALSETIDFIELD.number());
        deleteDisabledSettings(setId);
        if (!hasConditions(setId) && !hasSettings(setId)) CONDITIONSETFILE->remove();
    }
}

void ZelRestyleBaseClass::walkSettings(Long setId, std::string_view property) {
    RESTYLEFILECONDITIONALSETID.setNumber(setId);
    RESTYLEFILEPROPERTYFIELD.setText(property);
    RESTYLEFILEPARAMETERFIELD.setText("");
    RESTYLEFILE->set(*RESTYLEFILEPRIMARYKEY, *RESTYLEFILEPRIMARYKEY);
}

void ZelRestyleBaseClass::walkSetRows(Long setId, const RowVisitor& each) {
    walkSettings(setId);
    while (RESTYLEFILE->next() && RESTYLEFILECONDITIONALSETID.number() == setId)
        each(clip(RESTYLEFILEPROPERTYFIELD.text()), clip(RESTYLEFILEPARAMETERFIELD.text()), RESTYLEFILEVALUEFIELD.text());
}

void ZelRestyleBaseClass::deleteDisabledSettings(Long setId) {
    PROPERTYSETTINGRecord setting;
    walkSettings(setId);
    while (RESTYLEFILE->next() && RESTYLEFILECONDITIONALSETID.number() == setId)
        if (clip(RESTYLEFILEPARAMETERFIELD.text()) == "ENABLED" &&
            platform::leadingNumber(RESTYLEFILEVALUEFIELD.text()) == 0)
            DeleteGroup(platform::recordRef(setting), setId, clip(RESTYLEFILEPROPERTYFIELD.text()));
}

void ZelRestyleBaseClass::walkConditions(Long setId) {
    CONDITIONFILECONDITIONALSETIDFIELD.setNumber(setId);
    CONDITIONFILECONDITIONALIDFIELD.setNumber(std::numeric_limits<Long>::min());
    CONDITIONFILE->set(*CONDITIONFILEPRIMARYKEY, *CONDITIONFILEPRIMARYKEY);
}

bool ZelRestyleBaseClass::hasConditions(Long setId) {
    walkConditions(setId);
    return CONDITIONFILE->next() && CONDITIONFILECONDITIONALSETIDFIELD.number() == setId;
}

bool ZelRestyleBaseClass::hasSettings(Long setId) {
    walkSettings(setId);
    return RESTYLEFILE->next() && RESTYLEFILECONDITIONALSETID.number() == setId;
}

// --- condition sets -------------------------------------------------------------

ZelRestyleBaseClass::SetGroup ZelRestyleBaseClass::setGroup(Byte global, Byte useChangeGlobal,
                                                            std::string_view groupName) const {
    const Byte changeGlobal = REFCHANGEGLOBALPROPERTIES ? *REFCHANGEGLOBALPROPERTIES : 0;
    const bool globalScope = useChangeGlobal == 1 ? changeGlobal == 1 : global == 1;
    return {upper(clip(USERNAME->view())), clip(REFCURRENTPROFILE.text()),
            globalScope ? std::string(restyle::kGlobalSettings) : clip(PROCEDURENAME.view()), clip(groupName)};
}

void ZelRestyleBaseClass::setGroupFields(const SetGroup& group) {
    CONDITIONSETFILEUSERNAMEFIELD.setText(group.user);
    CONDITIONSETFILEPROFILEFIELD.setText(group.profile);
    CONDITIONSETFILEPROCEDURENAMEFIELD.setText(group.procedure);
    CONDITIONSETFILEGROUPNAMEFIELD.setText(group.group);
}

void ZelRestyleBaseClass::seekGroup(const SetGroup& group) {
    clearFileRecord(*CONDITIONSETFILE);
    setGroupFields(group);
    CONDITIONSETFILE->set(*CONDITIONSETFILESORTKEY, *CONDITIONSETFILESORTKEY);
}

bool ZelRestyleBaseClass::nextSetOf(const SetGroup& group) {
    return CONDITIONSETFILE->next() && clip(CONDITIONSETFILEUSERNAMEFIELD.text()) == group.user &&
           clip(CONDITIONSETFILEPROFILEFIELD.text()) == group.profile &&
           clip(CONDITIONSETFILEPROCEDURENAMEFIELD.text()) == group.procedure &&
           clip(CONDITIONSETFILEGROUPNAMEFIELD.text()) == group.group;
}

Long ZelRestyleBaseClass::setIdRead() const {
    return static_cast<Long>(CONDITIONSETFILECONDITIONALSETIDFIELD.number());
}

Long ZelRestyleBaseClass::createUnconditional(const SetGroup& group) {
    if (restyle::isUnavailable(*CONDITIONSETFILE)) return 0;
    const Long setId = nextConditionSetId();
    clearFileRecord(*CONDITIONSETFILE);
    setGroupFields(group);
    CONDITIONSETFILECONDITIONALSETFIELD.setText(restyle::kUnconditional);
    CONDITIONSETFILECONDITIONALSETIDFIELD.setNumber(setId);
    if (CONDITIONSETFILE->add()) return setId;
    // No row carries the number: values stored under it would fall to the
    // next set created.
    if (!toldOnce(*CONDITIONSETFILE)) return 0;
    platform::STOP("Het toevoegen van de standaard \"Unconditional\" Conditie Set is mislukt!|Fout:" +
                   platform::ERROR() + "|" + platform::FILEERROR());
    return 0;
}

Long ZelRestyleBaseClass::nextConditionSetId() {
    clearFileRecord(*CONDITIONSETFILE);
    CONDITIONSETFILE->set(*CONDITIONSETFILEPRIMARYKEY);
    CONDITIONSETFILE->next();  // the highest number; an empty file leaves the cleared 0
    return setIdRead() + 1;
}

void ZelRestyleBaseClass::queueSet(std::string_view name, Long setId) {
    CONDITIONSETQUEUE.rec.CONDITIONALSET = name;
    CONDITIONSETQUEUE.rec.CONDITIONALSETID = setId;
    CONDITIONSETQUEUE.add({{"CONDITIONALSET"}});
}

Long ZelRestyleBaseClass::GetConditionSetID(Byte global, Byte useChangeGlobal, std::string_view groupName) {
    const SetGroup group = setGroup(global, useChangeGlobal, groupName);
    seekGroup(group);
    return nextSetOf(group) ? setIdRead() : createUnconditional(group);
}

void ZelRestyleBaseClass::walkScope(Byte global, const SetVisitor& each) {
    const SetGroup scope = setGroup(global, 0, "");
    seekGroup(scope);
    const auto same = [](std::string_view field, const std::string& sought) { return clip(field) == sought; };
    while (CONDITIONSETFILE->next()) {
        const std::string user = CONDITIONSETFILEUSERNAMEFIELD.text(), profile = CONDITIONSETFILEPROFILEFIELD.text(),
                          procedure = CONDITIONSETFILEPROCEDURENAMEFIELD.text();
        // The key ignores case: scopes that differ only in case come mixed.
        if (upper(clip(user)) != upper(scope.user) || upper(clip(profile)) != upper(scope.profile) ||
            upper(clip(procedure)) != upper(scope.procedure))
            break;
        if (same(user, scope.user) && same(profile, scope.profile) && same(procedure, scope.procedure))
            each(clip(CONDITIONSETFILEGROUPNAMEFIELD.text()), clip(CONDITIONSETFILECONDITIONALSETFIELD.text()),
                 setIdRead());
    }
}

Byte ZelRestyleBaseClass::ConditionSetExists(Byte global, std::string_view groupName) {
    const SetGroup group = setGroup(global, 0, groupName);
    seekGroup(group);
    return nextSetOf(group) ? 1 : 0;
}

void ZelRestyleBaseClass::LoadConditionSets(Byte create, Byte global, Byte useChangeGlobal,
                                            std::string_view groupName) {
    CONDITIONSETQUEUE.free();
    CONDITIONSETQUEUE.clear();
    const SetGroup group = setGroup(global, useChangeGlobal, groupName);
    seekGroup(group);
    bool unconditional = false;
    while (nextSetOf(group)) {
        const std::string name = clip(CONDITIONSETFILECONDITIONALSETFIELD.text());
        unconditional = unconditional || name == restyle::kUnconditional;
        queueSet(name, setIdRead());
    }
    if (create != 1 || unconditional) return;
    if (const Long setId = createUnconditional(group)) queueSet(restyle::kUnconditional, setId);
}

Byte ZelRestyleBaseClass::IsPropertyEnabled(Long setId, std::string_view property) {
    const std::string sought = clip(property);
    clearFileRecord(*RESTYLEFILE);
    walkSettings(setId, sought);
    while (RESTYLEFILE->next() && RESTYLEFILECONDITIONALSETID.number() == setId &&
           (sought.empty() || clip(RESTYLEFILEPROPERTYFIELD.text()) == sought))
        if (clip(RESTYLEFILEPARAMETERFIELD.text()) == "ENABLED" &&
            platform::leadingNumber(RESTYLEFILEVALUEFIELD.text()) == 1)
            return 1;
    return 0;
}

// --- expressions ------------------------------------------------------------------

std::string ZelRestyleBaseClass::ResolveExpression(const platform::Window& window, const ControlList& controls,
                                                   const PropertyCatalogue& catalogue, std::string_view expression,
                                                   Long selfControl) {
    return restyle::resolveExpression(window, controls, catalogue, expression, selfControl);
}
