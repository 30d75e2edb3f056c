#include "StoredSettings.h"

#include "platform/files/FileKey.h"
#include "platform/files/KeyedFile.h"
#include "stylemanager/ZelStylemanagerClass.h"

#include <stdexcept>

using platform::Long;

namespace {

void clearFileRecord(const platform::KeyedFile& file) {
    platform::clearRecord(*file.record().fields, file.record().buffer);
}

void require(bool done, const std::string& what) {
    if (!done) throw std::runtime_error("could not store " + what);
}

Long addConditions(ZelStylemanagerClass& m, Long setId, const std::vector<StoredCondition>& conditions) {
    Long id = 0;
    for (const StoredCondition& c : conditions) {
        clearFileRecord(*m.CONDITIONFILE);
        m.CONDITIONFILECONDITIONALSETIDFIELD.setNumber(setId);
        m.CONDITIONFILECONDITIONALIDFIELD.setNumber(++id);
        m.CONDITIONFILEPROPERTYEQUATEFIELD.setNumber(c.property);
        m.CONDITIONFILEOPERATORFIELD.setText(c.op);
        m.CONDITIONFILEVALUEFIELD.setText(c.value);
        m.CONDITIONFILEMANUALVALUEFIELD.setNumber(c.manualValue);
        require(m.CONDITIONFILE->add(), "a condition");
    }
    return id;
}

void setKey(ZelStylemanagerClass& m, const StoredSetting& s) {
    clearFileRecord(*m.CONDITIONSETFILE);
    m.CONDITIONSETFILEUSERNAMEFIELD.setText(platform::upper(platform::clip(m.USERNAME->view())));
    m.CONDITIONSETFILEPROFILEFIELD.setText(platform::clip(m.CURRENTPROFILE.view()));
    m.CONDITIONSETFILEPROCEDURENAMEFIELD.setText(s.procedure);
    m.CONDITIONSETFILEGROUPNAMEFIELD.setText(s.group);
    m.CONDITIONSETFILECONDITIONALSETFIELD.setText(s.set);
}

// The group's set of that name; a new one under the next free number.
Long conditionSet(ZelStylemanagerClass& m, const StoredSetting& s) {
    setKey(m, s);
    if (m.CONDITIONSETFILE->get(*m.CONDITIONSETFILESORTKEY))
        return static_cast<Long>(m.CONDITIONSETFILECONDITIONALSETIDFIELD.number());
    clearFileRecord(*m.CONDITIONSETFILE);
    m.CONDITIONSETFILE->set(*m.CONDITIONSETFILEPRIMARYKEY);
    const Long setId =
        m.CONDITIONSETFILE->next() ? static_cast<Long>(m.CONDITIONSETFILECONDITIONALSETIDFIELD.number()) + 1 : 1;
    setKey(m, s);
    m.CONDITIONSETFILECONDITIONALSETIDFIELD.setNumber(setId);
    require(m.CONDITIONSETFILE->add(), "the set " + s.set);
    addConditions(m, setId, s.conditions);
    return setId;
}

// The property's row of the catalogue.
const CatalogueRecord& catalogued(const ZelStylemanagerClass& m, Long property) {
    for (std::size_t i = 1; i <= m.CLARIONCONTROLPROPERTIESQUEUE.records(); ++i)
        if (m.CLARIONCONTROLPROPERTIESQUEUE.at(i).PROPERTYEQUATE == property) return m.CLARIONCONTROLPROPERTIESQUEUE.at(i);
    throw std::runtime_error("no property " + std::to_string(property) + " in the catalogue");
}

void offer(ZelStylemanagerClass& m, Long controlType, Long property) {
    const CatalogueRecord& entry = catalogued(m, property);
    clearFileRecord(*m.PROPERTYFILE);
    m.PROPERTYFILECONTROLTYPEEQUATEFIELD.setNumber(controlType);
    m.PROPERTYFILEPROPERTYFIELD.setText(entry.PROPERTY.view());
    if (m.PROPERTYFILE->get(*m.PROPERTYFILEPRIMARYKEY)) return;
    m.PROPERTYFILEPROPERTYEQUATEFIELD.setNumber(property);
    m.PROPERTYFILEPROPERTYDESCRIPTIONFIELD.setText(entry.PROPERTYDESCRIPTION.view());
    require(m.PROPERTYFILE->add(), "the offered property");
}

}  // namespace

Long storeSetting(ZelStylemanagerClass& m, const StoredSetting& s) {
    const Long setId = conditionSet(m, s);
    offer(m, s.controlType, s.property);
    PROPERTYSETTINGRecord setting;
    setting.ENABLED = s.enabled;
    setting.VALUE = s.value;
    setting.CLARIONVALUE = s.clarionValue;
    m.SaveGroup(platform::recordRef(setting), setId, restyle::propertyName(s.property));
    return setId;
}

std::string positionValue(StoredPosition x, StoredPosition y, StoredPosition width, StoredPosition height) {
    std::string bytes;
    for (const StoredPosition& p : {x, y, width, height}) {
        const auto amount = static_cast<platform::UShort>(p.amount);
        bytes += {static_cast<char>(p.used ? 1 : 0), static_cast<char>(amount & 0xFF), static_cast<char>(amount >> 8),
                  static_cast<char>(p.mode)};
    }
    return bytes;
}
