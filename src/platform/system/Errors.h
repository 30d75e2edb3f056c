// The runtime's error state: ERRORCODE/ERROR of the last statement and
// FILEERRORCODE/FILEERROR, the back end's own code and message.
//
// One state for the whole program: fibers switch only inside waits, so the
// statement that set it and the code that reads it run without a switch
// between them.
#pragma once

#include <string>

namespace platform {

// Error codes of the runtime used by the layer.
constexpr int kNoError = 0;
constexpr int kFileNotFound = 2;
constexpr int kPathNotFound = 3;
constexpr int kAccessDenied = 5;
constexpr int kRecordNotAvailable = 33;
constexpr int kRecordNotFound = 35;
constexpr int kInvalidDataFile = 36;
constexpr int kFileNotOpen = 37;
constexpr int kDuplicateKey = 40;
constexpr int kInvalidRecordDeclaration = 47;
constexpr int kFileAlreadyOpen = 52;
constexpr int kLogoutAlreadyActive = 56;
constexpr int kFileSystemError = 90;
constexpr int kNoLogoutActive = 91;
constexpr int kInvalidExpression = 800;
constexpr int kUnknownFunctionLabel = 801;
// The layer's own: a text that does not fit the key field it would be stored
// in, refused rather than cut (chosen here, far from the runtime's codes).
constexpr int kKeyValueTooLong = 1001;

void setError(int code, std::string text = {});
// A back-end error: ERRORCODE 90 with the driver's code and message.
void setFileError(std::string fileCode, std::string fileText);
void clearError();
// A failed system call (errno) as the runtime reports it: 2 or 3 for ENOENT
// as `missing` says (no file for OPEN, no folder for CREATE), 3, 5, else 90
// with the system's message. Returns false, for `return reportSystemError(..)`.
bool reportSystemError(int error, int missing);

int ERRORCODE();
std::string ERROR();
std::string FILEERRORCODE();
std::string FILEERROR();

// The runtime's text for a code ("File System Error" for 90 and so on).
std::string errorTextFor(int code);

}  // namespace platform
