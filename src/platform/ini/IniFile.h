// The runtime's INI files (GETINI/PUTINI) with Windows profile-file rules:
// Windows-1252 bytes, sections and keys matched without regard to ASCII
// case, comment lines starting with ";", files written with CR LF.
#pragma once

#include <string>
#include <utility>

namespace platform {

// A profile file by name; get/put delegate to getIni/putIni.
class IniFile {
public:
    // Mode of a file that putIni creates; an existing file keeps its mode.
    enum class Permissions { Default, OwnerOnly };

    explicit IniFile(std::string fileName, Permissions permissions = Permissions::Default);

    const std::string& fileName() const { return fileName_; }
    std::string get(const std::string& section, const std::string& key,
                    const std::string& defaultValue = {}) const;
    bool put(const std::string& section, const std::string& key, const std::string& value) const;

private:
    std::string fileName_;
    Permissions permissions_;
};

// GETINI: the value of key in section, or defaultValue when the file, the
// section or the key is missing.
std::string getIni(const std::string& section, const std::string& key,
                   const std::string& defaultValue, const std::string& fileName);

// PUTINI: sets key in section, creating the file and the section as needed
// and replacing the file atomically. Returns false and sets the error state
// when the entry cannot be stored (line breaks, "=" in the key) or the file
// cannot be written.
bool putIni(const std::string& section, const std::string& key, const std::string& value,
            const std::string& fileName,
            IniFile::Permissions permissions = IniFile::Permissions::Default);

// The runtime's INI manager object; it only remembers the file name.
class INIClass {
public:
    void Init(std::string fileName) { fileName_ = std::move(fileName); }
    void Kill() { fileName_.clear(); }
    const std::string& fileName() const { return fileName_; }

private:
    std::string fileName_;
};

}  // namespace platform
