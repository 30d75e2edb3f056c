// The rows of the steps file AGNTFILE as the author windows keep them: a
// subject of a procedure is its header (STEP 0, describing the procedure)
// and its steps 1, 2, ... in order of STEP, the numbers not always
// contiguous. Every operation works through AGNTFILE's one record buffer;
// those that write several rows write all of them or none (ERROR() then
// tells why).
#pragma once

#include "assistant/AgentStap.h"
#include "platform/data/Queue.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

enum class Subjects { All, Headed };

// The subjects of the procedure, each once, in key order: every subject with
// a row, or only those with a header; a subject stored with a longer name
// than the field holds is none. The walk leaves AGNTFILE's buffer and walk
// as they were.
std::vector<std::string> subjectsOf(const std::string& procedure, Subjects which);
// Each procedure of the file once, in key order, with the description of its
// first row.
std::vector<std::pair<std::string, std::string>> proceduresOfFile();
// The description on the subject's first row; nullopt when it has none.
std::optional<std::string> subjectDescription(const std::string& procedure, const std::string& subject);
bool hasHeader(const std::string& procedure, const std::string& subject);
// The stored row of the step into AGNTFILE's buffer; false when there is none.
bool readStep(const std::string& procedure, const std::string& subject, platform::Long step);
bool addHeader(const std::string& procedure, const std::string& description, const std::string& subject);
// The subject's steps, in order, as the author windows' rows.
void readSteps(const std::string& procedure, const std::string& subject, platform::Queue<AGENTSTAPRecord>& into);
// Every step numbered `first` or later that much higher, the last first, so
// the key never holds two rows of one number; the caller keeps the writes
// together with what it adds in their place.
bool moveStepsUp(const std::string& procedure, const std::string& subject, platform::Long first, platform::Long by = 1);
// The two steps exchange their numbers.
bool swapSteps(const std::string& procedure, const std::string& subject, platform::Long a, platform::Long b);
// The header and every step of the subject go to the new name.
bool renameSubject(const std::string& procedure, const std::string& from, const std::string& to);
bool removeSubject(const std::string& procedure, const std::string& subject);
// The subject's steps go, its header stays.
bool removeSteps(const std::string& procedure, const std::string& subject);
bool removeProcedure(const std::string& procedure);
