#include "platform/system/Errors.h"

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
        case 33: return "Record Not Available";
        case kFileNotOpen: return "File Not Open";
        case kInvalidRecordDeclaration: return "Invalid Record Declaration";
        case kFileSystemError: return "File System Error";
        case kInvalidExpression: return "Invalid expression";
        case kUnknownFunctionLabel: return "Unknown function label";
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

int ERRORCODE() { return state().code; }
std::string ERROR() { return state().text; }
std::string FILEERRORCODE() { return state().fileCode; }
std::string FILEERROR() { return state().fileText; }

}  // namespace platform
