#include "platform/odbc/OdbcHandle.h"

#include "platform/odbc/ConnectString.h"
#include "platform/system/Errors.h"
#include "platform/text/Codepage.h"

#include <sql.h>
#include <sqlext.h>

#include <cstdint>
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

bool OdbcHandle::connect(std::string_view connectString, long loginTimeoutSeconds) {
    // A server that accepts and never answers would hold the program for good.
    SQLSetConnectAttr(handle_, SQL_ATTR_LOGIN_TIMEOUT,
                      reinterpret_cast<SQLPOINTER>(static_cast<std::uintptr_t>(loginTimeoutSeconds)), 0);
    std::string text = toUtf8(driverConnectString(connectString));
    return SQL_SUCCEEDED(SQLDriverConnect(handle_, nullptr, reinterpret_cast<SQLCHAR*>(text.data()),
                                          static_cast<SQLSMALLINT>(text.size()), nullptr, 0, nullptr,
                                          SQL_DRIVER_NOPROMPT));
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
