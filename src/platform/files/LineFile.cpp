#include "platform/files/LineFile.h"

#include "platform/system/Errors.h"
#include "platform/text/Codepage.h"
#include "platform/text/Text.h"

#include <cerrno>
#include <filesystem>

namespace platform {

LineFile::LineFile(std::string name, std::size_t recordWidth) : name_(std::move(name)), recordWidth_(recordWidth) {}

LineFile::~LineFile() {
    if (stream_) std::fclose(stream_);
}

bool LineFile::create() {
    if (stream_) {
        setError(kAccessDenied);
        return false;
    }
    std::FILE* made = std::fopen(systemFileName(name_).c_str(), "wb");
    if (!made) return reportSystemError(errno, kPathNotFound);
    if (std::fclose(made) != 0) return reportSystemError(errno, kPathNotFound);
    clearError();
    return true;
}

bool LineFile::open(Long accessMode) {
    if (stream_) {
        setError(kAccessDenied);
        return false;
    }
    const bool writable = (accessMode & 0x0F) != kReadOnly;
    stream_ = std::fopen(systemFileName(name_).c_str(), writable ? "r+b" : "rb");
    if (!stream_) return reportSystemError(errno, kFileNotFound);
    writable_ = writable;
    appending_ = false;
    line_.clear();
    clearError();
    return true;
}

bool LineFile::requireOpen() {
    if (stream_) return true;
    setError(kFileNotOpen);
    return false;
}

bool LineFile::add(std::string_view line) {
    if (!requireOpen()) return false;
    if (!writable_) {
        setError(kAccessDenied);
        return false;
    }
    std::string text = clip(line.substr(0, recordWidth_));
    text += "\r\n";
    if (!appending_ && std::fseek(stream_, 0, SEEK_END) != 0) return reportSystemError(errno, kFileNotFound);
    appending_ = true;
    if (std::fwrite(text.data(), 1, text.size(), stream_) != text.size())
        return reportSystemError(errno, kFileNotFound);
    clearError();
    return true;
}

// The stream must be repositioned between writing and reading.
bool LineFile::endAppending() {
    if (!appending_) return true;
    appending_ = false;
    return std::fseek(stream_, 0, SEEK_CUR) == 0;
}

bool LineFile::set() {
    if (!requireOpen()) return false;
    appending_ = false;
    if (std::fseek(stream_, 0, SEEK_SET) != 0) return reportSystemError(errno, kFileNotFound);
    clearError();
    return true;
}

bool LineFile::next() {
    if (!requireOpen()) return false;
    if (!endAppending()) return reportSystemError(errno, kFileNotFound);
    line_.clear();
    int c = std::fgetc(stream_);
    if (c == EOF) {
        if (std::ferror(stream_)) return reportSystemError(errno, kFileNotFound);
        setError(kRecordNotAvailable);
        return false;
    }
    for (; c != EOF && c != '\n'; c = std::fgetc(stream_)) line_.push_back(static_cast<char>(c));
    if (!line_.empty() && line_.back() == '\r') line_.pop_back();
    if (line_.size() > recordWidth_) line_.resize(recordWidth_);
    clearError();
    return true;
}

bool LineFile::close() {
    if (!requireOpen()) return false;
    const int result = std::fclose(stream_);
    stream_ = nullptr;
    if (result != 0) return reportSystemError(errno, kFileNotFound);
    clearError();
    return true;
}

std::string replacedFile(const std::string& name) {
    std::error_code error;
    const std::filesystem::path target = std::filesystem::weakly_canonical(systemFileName(name), error);
    if (error) return {};
    const std::filesystem::file_status status = std::filesystem::status(target, error);
    if (status.type() != std::filesystem::file_type::not_found && status.type() != std::filesystem::file_type::regular)
        return {};
    return fromUtf8(target.string());
}

bool LineFile::rename(const std::string& newName) {
    if (stream_) {
        setError(kAccessDenied);
        return false;
    }
    if (std::rename(systemFileName(name_).c_str(), systemFileName(newName).c_str()) != 0)
        return reportSystemError(errno, kFileNotFound);
    name_ = newName;
    clearError();
    return true;
}

bool LineFile::remove() {
    if (stream_) {
        setError(kAccessDenied);
        return false;
    }
    if (std::remove(systemFileName(name_).c_str()) != 0) return reportSystemError(errno, kFileNotFound);
    clearError();
    return true;
}

}  // namespace platform
