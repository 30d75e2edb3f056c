#include "app/txd/ReadSysRel.h"

#include "app/main/Globals.h"
#include "app/txd/SysRelFile.h"
#include "platform/odbc/FileProperties.h"
#include "platform/system/Errors.h"

namespace {

void addSysRelRow(RelationQueue& srq) {
    srq.clear();
    srq.rec.CCOLUMN = SYSREL.rec.CCOLUMN;
    srq.rec.GRBIT = SYSREL.rec.GRBIT;
    srq.rec.ICOLUMN = SYSREL.rec.ICOLUMN;
    srq.rec.SZCOLUMN = SYSREL.rec.SZCOLUMN;
    srq.rec.SZOBJECT = SYSREL.rec.SZOBJECT;
    srq.rec.SZREFERENCEDCOLUMN = SYSREL.rec.SZREFERENCEDCOLUMN;
    srq.rec.SZREFERENCEDOBJECT = SYSREL.rec.SZREFERENCEDOBJECT;
    srq.rec.SZRELATIONSHIP = SYSREL.rec.SZRELATIONSHIP;
    srq.add();
}

void readRows(RelationQueue& srq) {
    SYSREL.file.set();
    for (SYSREL.file.next(); platform::ERRORCODE() == 0; SYSREL.file.next()) addSysRelRow(srq);
}

}  // namespace

void ReadSysRel(RelationQueue& srq) {
    platform::OdbcFile& file = SYSREL.file;
    file.close();
    file.setProperty(platform::PROP_Owner, Glo::ConnectString.view());
    file.open(platform::kReadWriteDenyWrite);
    if (platform::ERRORCODE() == 0) readRows(srq);
    file.close();
    file.setProperty(platform::PROP_Disconnect, "1");
}
