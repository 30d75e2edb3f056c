// One ODBC handle (environment, connection or statement), freed when its
// owner goes. A connection handle is disconnected before it is freed.
//
// The ODBC headers stay out of this header so that code above the layer does
// not see their macros and typedefs; handles travel as void*.
#pragma once

#include <string>
#include <string_view>

namespace platform {

class OdbcHandle {
public:
    enum class Kind : short { Environment = 1, Connection = 2, Statement = 3 };

    OdbcHandle() = default;
    // An empty handle when the driver manager refuses.
    static OdbcHandle allocate(Kind kind, void* parent);

    OdbcHandle(OdbcHandle&& other) noexcept;
    OdbcHandle& operator=(OdbcHandle&& other) noexcept;
    OdbcHandle(const OdbcHandle&) = delete;
    OdbcHandle& operator=(const OdbcHandle&) = delete;
    ~OdbcHandle() { reset(); }

    void* get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void reset();

    // Connects a connection handle, with no prompt, waiting at most the login
    // time-out for the data source; `connectString` as the program holds it
    // (Windows-1252), given to the driver as it takes it (driverConnectString).
    // Runs the driver's call in place: true when connected.
    bool connect(std::string_view connectString, long loginTimeoutSeconds);

    // ERRORCODE 90 with the first diagnostic record of this handle: its
    // SQLSTATE as FILEERRORCODE, its message as FILEERROR.
    void reportError() const;

private:
    OdbcHandle(Kind kind, void* handle) : kind_(kind), handle_(handle) {}

    Kind kind_ = Kind::Statement;
    void* handle_ = nullptr;
};

}  // namespace platform
