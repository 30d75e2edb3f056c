#include "platform/ini/IniFile.h"

#include "platform/system/Errors.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

// Windows' ERROR_INVALID_PARAMETER, for entries a profile file cannot hold.
constexpr int kInvalidParameter = 87;
constexpr char kLineBreak[] = "\r\n";

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

char asciiLower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (asciiLower(a[i]) != asciiLower(b[i])) return false;
    return true;
}

bool isQuotePair(std::string_view text) {
    return text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
           text.back() == text.front();
}

std::string_view unquote(std::string_view value) {
    return isQuotePair(value) ? value.substr(1, value.size() - 2) : value;
}

// Quotes a value that reading would otherwise change (outer blanks, a quote pair).
std::string encodeValue(const std::string& value) {
    const bool needsQuotes = !value.empty() &&
                             (isBlank(value.front()) || isBlank(value.back()) || isQuotePair(value));
    return needsQuotes ? '"' + value + '"' : value;
}

// "[name]" gives the trimmed name; any other line gives nothing.
std::optional<std::string_view> sectionName(std::string_view line) {
    line = trimBlanks(line);
    if (line.empty() || line.front() != '[') return std::nullopt;
    line.remove_prefix(1);
    return trimBlanks(line.substr(0, line.find(']')));
}

bool isComment(std::string_view line) {
    line = trimBlanks(line);
    return !line.empty() && line.front() == ';';
}

bool isBlankLine(std::string_view line) { return trimBlanks(line).empty(); }

// The text of a file split into lines, edited in place so that untouched
// bytes stay as they were.
class IniText {
public:
    explicit IniText(std::string text) : text_(std::move(text)) { splitLines(); }

    const std::string& text() const { return text_; }

    std::optional<std::string> find(std::string_view section, std::string_view key) const {
        const auto range = findSection(section);
        if (!range) return std::nullopt;
        const auto index = findKey(*range, key);
        if (!index) return std::nullopt;
        return std::string(unquote(trimBlanks(valueOf(*index))));
    }

    void set(std::string_view section, std::string_view key, const std::string& value) {
        endWithLineBreak();
        const std::string entry = std::string(key) + '=' + encodeValue(value) + kLineBreak;
        const auto range = findSection(section);
        if (!range)
            appendSection(section, entry);
        else if (const auto index = findKey(*range, key))
            replaceValue(*index, value);
        else
            text_.insert(lines_[lastEntryLine(*range)].next, entry);
        splitLines();
    }

private:
    struct Line {
        std::size_t begin;
        std::size_t contentEnd;  // before CR LF or LF
        std::size_t next;
    };
    // Line indexes: the header and the end of the section.
    struct SectionRange {
        std::size_t header;
        std::size_t end;
    };

    void splitLines() {
        lines_.clear();
        for (std::size_t begin = 0; begin < text_.size();) {
            const std::size_t newline = text_.find('\n', begin);
            const std::size_t next = newline == std::string::npos ? text_.size() : newline + 1;
            std::size_t contentEnd = newline == std::string::npos ? text_.size() : newline;
            if (contentEnd > begin && text_[contentEnd - 1] == '\r' && newline != std::string::npos)
                --contentEnd;
            lines_.push_back({begin, contentEnd, next});
            begin = next;
        }
    }

    void endWithLineBreak() {
        if (!text_.empty() && text_.back() != '\n') {
            text_ += kLineBreak;
            splitLines();
        }
    }

    void appendSection(std::string_view section, const std::string& entry) {
        if (!lines_.empty() && !isBlankLine(content(lines_.size() - 1))) text_ += kLineBreak;
        text_ += '[' + std::string(section) + ']' + kLineBreak + entry;
    }

    // Blanks around the old value stay, so only the value itself changes.
    void replaceValue(std::size_t index, const std::string& value) {
        const std::string_view old = trimBlanks(valueOf(index));
        text_.replace(std::size_t(old.data() - text_.data()), old.size(), encodeValue(value));
    }

    std::string_view content(std::size_t index) const {
        const Line& line = lines_[index];
        return std::string_view(text_).substr(line.begin, line.contentEnd - line.begin);
    }

    std::string_view valueOf(std::size_t index) const {
        const std::string_view line = content(index);
        return line.substr(line.find('=') + 1);
    }

    // The key of an entry line; headers, comments and lines without "=" have none.
    std::optional<std::string_view> keyOf(std::size_t index) const {
        const std::string_view line = content(index);
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos || isComment(line) || sectionName(line)) return std::nullopt;
        return trimBlanks(line.substr(0, equals));
    }

    std::optional<SectionRange> findSection(std::string_view section) const {
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            const auto name = sectionName(content(i));
            if (name && equalsIgnoringCase(*name, section)) return SectionRange{i, nextHeader(i + 1)};
        }
        return std::nullopt;
    }

    std::size_t nextHeader(std::size_t from) const {
        while (from < lines_.size() && !sectionName(content(from))) ++from;
        return from;
    }

    std::optional<std::size_t> findKey(const SectionRange& range, std::string_view key) const {
        for (std::size_t i = range.header + 1; i < range.end; ++i) {
            const auto name = keyOf(i);
            if (name && equalsIgnoringCase(*name, key)) return i;
        }
        return std::nullopt;
    }

    // Where a new key goes: after the last line that is neither blank nor a comment.
    std::size_t lastEntryLine(const SectionRange& range) const {
        std::size_t last = range.header;
        for (std::size_t i = range.header + 1; i < range.end; ++i)
            if (!isBlankLine(content(i)) && !isComment(content(i))) last = i;
        return last;
    }

    std::string text_;
    std::vector<Line> lines_;
};

bool hasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

// Entries that the file could not give back as written.
bool isStorable(std::string_view section, std::string_view key, std::string_view value) {
    if (hasLineBreak(section) || hasLineBreak(key) || hasLineBreak(value)) return false;
    if (section.empty() || section.find(']') != std::string_view::npos) return false;
    return !key.empty() && key.find('=') == std::string_view::npos && key.front() != ';' &&
           key.front() != '[';
}

void setSystemError(int error) {
    switch (error) {
        case ENOENT:
        case ENOTDIR: setError(kPathNotFound); break;
        case EACCES:
        case EPERM:
        case EROFS: setError(kAccessDenied); break;
        default: setFileError(std::to_string(error), std::strerror(error));
    }
}

// Closes a descriptor that is only read.
struct ReadDescriptor {
    int fd;
    ~ReadDescriptor() { ::close(fd); }
};

// The whole file and its mode, or the errno of the failure.
int readFile(const std::string& fileName, std::string& text, mode_t& mode) {
    const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno;
    const ReadDescriptor closer{fd};
    struct stat status {};
    if (::fstat(fd, &status) != 0) return errno;
    mode = status.st_mode & 07777;
    char buffer[16384];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0) return 0;
        if (n > 0) text.append(buffer, std::size_t(n));
        else if (errno != EINTR) return errno;
    }
}

int writeAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t n = ::write(fd, text.data(), text.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        text.remove_prefix(std::size_t(n));
    }
    return 0;
}

// A new file beside target, so that rename stays within one file system.
int createTemporary(const std::string& target, mode_t createMode, std::string& name) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = target + ".tmp" + std::to_string(::getpid()) + '_' + std::to_string(counter++);
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, createMode);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// Writes a temporary file and renames it over fileName. exactMode, when set,
// replaces the umask-based mode of the new file.
int replaceFile(const std::string& fileName, std::string_view text, std::optional<mode_t> exactMode) {
    std::string temporary;
    const int fd = createTemporary(fileName, exactMode.value_or(0666), temporary);
    if (fd < 0) return errno;
    int error = exactMode && ::fchmod(fd, *exactMode) != 0 ? errno : 0;
    if (!error) error = writeAll(fd, text);
    if (!error && ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && !error) error = errno;
    if (!error && ::rename(temporary.c_str(), fileName.c_str()) != 0) error = errno;
    if (error) ::unlink(temporary.c_str());
    return error;
}

}  // namespace

IniFile::IniFile(std::string fileName, Permissions permissions)
    : fileName_(std::move(fileName)), permissions_(permissions) {}

std::string IniFile::get(const std::string& section, const std::string& key,
                         const std::string& defaultValue) const {
    return getIni(section, key, defaultValue, fileName_);
}

bool IniFile::put(const std::string& section, const std::string& key, const std::string& value) const {
    return putIni(section, key, value, fileName_, permissions_);
}

std::string getIni(const std::string& section, const std::string& key, const std::string& defaultValue,
                   const std::string& fileName) {
    std::string text;
    mode_t mode;
    if (readFile(fileName, text, mode) != 0) return defaultValue;
    return IniText(std::move(text)).find(trimBlanks(section), trimBlanks(key)).value_or(defaultValue);
}

bool putIni(const std::string& section, const std::string& key, const std::string& value,
            const std::string& fileName, IniFile::Permissions permissions) {
    const std::string_view sectionName = trimBlanks(section);
    const std::string_view keyName = trimBlanks(key);
    if (!isStorable(sectionName, keyName, value)) {
        setError(kInvalidParameter, "Invalid Parameter: the entry cannot be stored in " + fileName);
        return false;
    }
    std::string text;
    mode_t existingMode;
    std::optional<mode_t> exactMode;
    if (const int error = readFile(fileName, text, existingMode); error == 0) {
        exactMode = existingMode;
    } else if (error != ENOENT) {
        setSystemError(error);
        return false;
    }
    if (!exactMode && permissions == IniFile::Permissions::OwnerOnly) exactMode = 0600;

    IniText ini(std::move(text));
    ini.set(sectionName, keyName, value);
    if (const int error = replaceFile(fileName, ini.text(), exactMode); error != 0) {
        setSystemError(error);
        return false;
    }
    clearError();
    return true;
}

}  // namespace platform
