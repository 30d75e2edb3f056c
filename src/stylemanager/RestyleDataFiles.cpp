#include "stylemanager/RestyleDataFiles.h"

#include "stylemanager/ZelStylemanagerClass.h"

void bindRestyleDataFiles(ZelStylemanagerClass& manager, const RestyleDataFiles& files) {
    ZelPropertiesFile& p = files.properties;
    manager.SetPropertyFile(p, p.P_KEY_ZELPF, p.rec.CONTROLTYPEEQUATE, p.rec.PROPERTYEQUATE, p.rec.PROPERTY,
                            p.rec.PROPERTYDESCRIPTION, p.rec.HIDEFROMENDUSER);
    ZelConditionSetFile& s = files.sets;
    manager.SetConditionSetFile(s, s.P_KEY_ZELCS, s.S_KEY_ZELCS, s.rec.USERNAME, s.rec.PROFILE, s.rec.PROCEDURENAME,
                                s.rec.GROUPNAME, s.rec.CONDITIONALSET, s.rec.CONDITIONALSETID);
    ZelConditionFile& c = files.conditions;
    manager.SetConditionFile(c, c.P_KEY_ZELCD, c.rec.CONDITIONALSETID, c.rec.CONDITIONALID, c.rec.CONTROL,
                             c.rec.PROPERTYEQUATE, c.rec.OPERATOR, c.rec.VALUE, c.rec.MANUALVALUE);
    ZelRestyleFile& r = files.values;
    manager.SetRestyleFile(r, r.P_KEY_ZELRF, r.rec.CONDITIONALSETID, r.rec.PROPERTY, r.rec.PARAMETER, r.rec.VALUE);
}
