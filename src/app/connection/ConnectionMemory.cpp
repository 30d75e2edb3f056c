#include "app/connection/ConnectionMemory.h"

#include "platform/ini/IniFile.h"
#include "platform/program/Program.h"

#include <filesystem>

namespace {

const std::string kSection = "Last connectstring";
const std::string kDsnKey = "DNS";
const std::string kUsernameKey = "Username";
const std::string kPasswordKey = "Password";
const std::string kConnectStringKey = "Connectstring";

platform::IniFile memoryFile() {
    return platform::IniFile(connectionMemoryFile(), platform::IniFile::Permissions::OwnerOnly);
}

}  // namespace

std::string connectionMemoryFile() {
    std::filesystem::path program(platform::programPath());
    program.replace_extension();
    return program.string() + "_dns.ini";
}

ConnectionMemory ConnectionMemory::load() {
    const platform::IniFile file = memoryFile();
    return {file.get(kSection, kDsnKey), file.get(kSection, kUsernameKey), file.get(kSection, kPasswordKey),
            file.get(kSection, kConnectStringKey)};
}

void ConnectionMemory::store() const {
    const platform::IniFile file = memoryFile();
    file.put(kSection, kDsnKey, dsn);
    file.put(kSection, kUsernameKey, username);
    file.put(kSection, kPasswordKey, password);
    file.put(kSection, kConnectStringKey, connectString);
}
