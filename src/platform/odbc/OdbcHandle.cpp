#include "platform/odbc/OdbcHandle.h"

#include "platform/system/Errors.h"
#include "platform/text/Codepage.h"

#include <sql.h>
#include <sqlext.h>

#include <utility>

namespace platform {

OdbcHandle OdbcHandle::allocate(Kind kind, void* parent) {
    SQLHANDLE handle = SQL_NULL_HANDLE;
    if (!SQL_SUCCEEDED(SQLAllocHandle(static_cast<SQLSMALLINT>(kind), parent, &handle))) return {};
    if (kind == Kind::Environment)
        SQLSetEnvAttr(handle, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    return {kind, handle};
}

OdbcHandle::OdbcHandle(OdbcHandle&& other) noexcept
    : kind_(other.kind_), handle_(std::exchange(other.handle_, nullptr)) {}

OdbcHandle& OdbcHandle::operator=(OdbcHandle&& other) noexcept {
    if (this != &other) {
        reset();
        kind_ = other.kind_;
        handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
}

void OdbcHandle::reset() {
    if (!handle_) return;
    if (kind_ == Kind::Connection) SQLDisconnect(handle_);
    SQLFreeHandle(static_cast<SQLSMALLINT>(kind_), handle_);
    handle_ = nullptr;
}

void OdbcHandle::reportError() const {
    SQLCHAR state[SQL_SQLSTATE_SIZE + 1] = {};
    SQLCHAR message[SQL_MAX_MESSAGE_LENGTH] = {};
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    const SQLRETURN rc = SQLGetDiagRec(static_cast<SQLSMALLINT>(kind_), handle_, 1, state, &native, message,
                                       sizeof message, &length);
    if (!SQL_SUCCEEDED(rc)) {
        setFileError({}, {});
        return;
    }
    setFileError(reinterpret_cast<const char*>(state), fromUtf8(reinterpret_cast<const char*>(message)));
}

}  // namespace platform
