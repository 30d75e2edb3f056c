// What makes a written dictionary one that Clarion imports: every field of
// one of its types with a valid size, labels that are labels and unique
// without regard to case (tables among tables; fields, group parts and keys
// within their file), unique prefixes, keys over fields of their own file,
// and relations that name files, keys and fields the dictionary declares.
#pragma once

#include <gtest/gtest.h>

#include "platform/text/Text.h"

#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace dictionary_checks {

struct FileBlock {
    std::string prefix;  // upper-cased
    std::set<std::string> labels;  // of fields, group parts and keys, upper-cased
    std::set<std::string> fields;
    std::set<std::string> keys;
};

inline bool isLabel(const std::string& text) { return std::regex_match(text, std::regex("[A-Za-z_][A-Za-z0-9_]*")); }

inline bool isValidType(const std::string& type) {
    static const std::regex plain("BYTE|SHORT|USHORT|LONG|ULONG|SREAL|REAL|DATE|TIME|GROUP,OVER\\([A-Za-z0-9_]+\\)");
    static const std::regex sized("(C?STRING)\\((\\d+)\\)");
    static const std::regex packed("PDECIMAL\\((\\d+)(?:,(\\d+))?\\)");
    std::smatch m;
    if (std::regex_match(type, m, sized)) return std::stoll(m[2]) >= (m[1] == "CSTRING" ? 2 : 1);
    if (std::regex_match(type, m, packed)) {
        const int digits = std::stoi(m[1]);
        return digits >= 1 && digits <= 31 && (!m[2].matched || std::stoi(m[2]) <= digits);
    }
    return std::regex_match(type, plain);
}

class Checker {
public:
    void line(const std::string& text) {
        std::smatch m;
        if (text == "[RELATIONS]") relations_ = true;
        if (relations_) return relationLine(text);
        static const std::regex fileLine("(\\S+) FILE,.*,PRE\\(([^)]*)\\),BINDABLE,THREAD");
        static const std::regex keyLine("(\\S+) KEY\\((.*)\\),NOCASE,OPT(,DUP)?(,PRIMARY)?");
        static const std::regex fieldLine("(\\S+) +(.*?)(,NAME\\('([^']|'')*'\\))?");
        const bool heading = !text.empty() && text[0] != ' ' && text[0] != '!' && text[0] != '[';
        if (!heading || text == "Record RECORD") return;
        if (std::regex_match(text, m, fileLine)) return startFile(text, m[1], m[2]);
        ASSERT_NE(current_, nullptr) << text;
        if (std::regex_match(text, m, keyLine)) return key(text, m[1], m[2]);
        ASSERT_TRUE(std::regex_match(text, m, fieldLine)) << text;
        EXPECT_TRUE(isValidType(m[2])) << text;
        addLabel(text, m[1]);
        current_->fields.insert(platform::upper(m[1].str()));
    }

    std::size_t files() const { return files_.size(); }

    // Key components are checked once their file's fields are all known.
    void finish() {
        static const std::regex component("[+-]([^:]+):(.+)");
        for (const auto& pending : pendingComponents_) {
            std::istringstream parts(pending.components);
            for (std::string part; std::getline(parts, part, ',');) {
                std::smatch c;
                ASSERT_TRUE(std::regex_match(part, c, component)) << pending.text;
                EXPECT_EQ(platform::upper(c[1].str()), pending.file->prefix) << pending.text;
                EXPECT_TRUE(pending.file->fields.count(platform::upper(c[2].str()))) << "no such field: "
                                                                                     << pending.text;
            }
        }
    }

private:
    void startFile(const std::string& text, const std::string& label, const std::string& prefix) {
        EXPECT_TRUE(isLabel(label) && isLabel(prefix)) << text;
        EXPECT_TRUE(fileLabels_.insert(platform::upper(label)).second) << "a second file labelled " << label;
        const std::string key = platform::upper(prefix);
        EXPECT_NE(key, "GLO") << text;
        EXPECT_TRUE(prefixes_.insert(key).second) << "a second file with the prefix " << prefix;
        current_ = &files_[label];
        current_->prefix = key;
        byPrefix_[key] = current_;
    }

    void addLabel(const std::string& text, const std::string& label) {
        EXPECT_TRUE(isLabel(label)) << text;
        EXPECT_TRUE(current_->labels.insert(platform::upper(label)).second) << "a second " << label << ": " << text;
    }

    void key(const std::string& text, const std::string& label, const std::string& components) {
        addLabel(text, label);
        current_->keys.insert(platform::upper(label));
        pendingComponents_.push_back({current_, text, components});
    }

    // "label  FILE(P:K)", "label  RELATED_FILE(P:K)" and "FIELD(P:f,P:f)".
    void relationLine(const std::string& text) {
        static const std::regex side(" *(\\S+) +(?:RELATED_)?FILE\\(([^:]+):([^)]+)\\)");
        static const std::regex fields(" *FIELD\\(([^:]+):([^,]+),([^:]+):([^)]+)\\)");
        std::smatch m;
        if (std::regex_match(text, m, side)) {
            const FileBlock* file = fileOf(text, m[2]);
            if (!file) return;
            EXPECT_EQ(file, &files_[m[1]]) << "the prefix of another file: " << text;
            EXPECT_TRUE(file->keys.count(platform::upper(m[3].str()))) << "no such key: " << text;
        } else if (std::regex_match(text, m, fields)) {
            for (int i : {1, 3}) {
                if (const FileBlock* file = fileOf(text, m[i])) {
                    EXPECT_TRUE(file->fields.count(platform::upper(m[i + 1].str()))) << "no such field: " << text;
                }
            }
        }
    }

    const FileBlock* fileOf(const std::string& text, const std::string& prefix) {
        const auto found = byPrefix_.find(platform::upper(prefix));
        EXPECT_NE(found, byPrefix_.end()) << "no file with that prefix: " << text;
        return found == byPrefix_.end() ? nullptr : found->second;
    }

    struct PendingComponents {
        FileBlock* file;
        std::string text;
        std::string components;
    };

    std::map<std::string, FileBlock> files_;
    std::map<std::string, FileBlock*> byPrefix_;
    std::set<std::string> fileLabels_{"GLOBALVARIABLES"};
    std::set<std::string> prefixes_;
    FileBlock* current_ = nullptr;
    std::vector<PendingComponents> pendingComponents_;
    bool relations_ = false;
};

}  // namespace dictionary_checks

// Checks the table blocks and relations of a written dictionary (after its
// fixed header and block); the number of FILE blocks checked.
inline std::size_t expectValidDictionary(const std::string& tableBlocks) {
    dictionary_checks::Checker checker;
    std::istringstream lines(tableBlocks);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        checker.line(line);
    }
    checker.finish();
    return checker.files();
}
