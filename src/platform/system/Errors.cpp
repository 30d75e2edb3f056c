#include "platform/system/Errors.h"

#include <cerrno>
#include <cstring>

namespace platform {
namespace {

struct ErrorState {
    int code = 0;
    std::string text;
    std::string fileCode;
    std::string fileText;
};

ErrorState& state() {
    static ErrorState s;
    return s;
}

}  // namespace

std::string errorTextFor(int code) {
    switch (code) {
        case kNoError: return {};
        case kFileNotFound: return "File Not Found";
        case kPathNotFound: return "Path Not Found";
        case kAccessDenied: return "Access Denied";
        case 30: return "Entry Not Found";
        case kRecordNotAvailable: return "Record Not Available";
        case kRecordNotFound: return "Record Not Found";
        case kInvalidDataFile: return "Invalid Data File";
        case kFileNotOpen: return "File Not Open";
        case kDuplicateKey: return "Creates Duplicate Key";
        case kInvalidRecordDeclaration: return "Invalid Record Declaration";
        case kFileAlreadyOpen: return "File Already Open";
        case kLogoutAlreadyActive: return "Logout Already Active";
        case kFileSystemError: return "File System Error";
        case kNoLogoutActive: return "No Logout Active";
        case kInvalidExpression: return "Invalid expression";
        case kUnknownFunctionLabel: return "Unknown function label";
        case kKeyValueTooLong: return "Key Value Too Long";
        default: return "Error " + std::to_string(code);
    }
}

void setError(int code, std::string text) {
    ErrorState& s = state();
    s.code = code;
    s.text = text.empty() ? errorTextFor(code) : std::move(text);
    s.fileCode.clear();
    s.fileText.clear();
}

void setFileError(std::string fileCode, std::string fileText) {
    ErrorState& s = state();
    s.code = kFileSystemError;
    s.text = errorTextFor(kFileSystemError);
    s.fileCode = std::move(fileCode);
    s.fileText = std::move(fileText);
}

void clearError() { state() = ErrorState{}; }

bool reportSystemError(int error, int missing) {
    switch (error) {
        case ENOENT: setError(missing); break;
        case ENOTDIR: setError(kPathNotFound); break;
        case EACCES:
        case EPERM:
        case EROFS: setError(kAccessDenied); break;
        default: setFileError(std::to_string(error), std::strerror(error)); break;
    }
    return false;
}

int ERRORCODE() { return state().code; }
std::string ERROR() { return state().text; }
std::string FILEERRORCODE() { return state().fileCode; }
std::string FILEERROR() { return state().fileText; }

}  // namespace platform
