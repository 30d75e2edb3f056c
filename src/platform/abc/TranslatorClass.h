// The runtime's translator: pairs (text, translation) ordered by text, and
// an extraction file that collects the texts met without a translation.
//
// A text is looked up without its trailing blanks, which a translations file
// cannot hold; a translation found is returned followed by the text's own
// trailing blanks. A text without a translation is returned as it is and,
// while ExtractText names a file, collected once with an empty translation:
// an empty text, or one holding CR or LF (it would break the file's lines),
// is not collected.
//
// Kill writes the collected texts into the extraction file as a group of
// PSTRING pairs (Windows-1252, CR LF), text first and an empty translation
// below it, for a translator to fill in. The file is written whole beside
// itself and then takes its name (WholeLineFile.h), so a writer stopped
// half-way leaves none. A file that holds anything by then is never
// replaced: it is someone's translations; an empty one holds nothing.
// Errors while writing are not reported.
//
// One translator is shared by every fiber; none of its operations waits.
#pragma once

#include "platform/text/Text.h"

#include <map>
#include <string>
#include <string_view>

namespace platform {

class Window;

class TranslatorClass {
public:
    // Empty: no pairs, extraction off.
    void Init();
    // Writes the extraction file, then forgets every pair.
    void Kill();
    void AddTranslation(std::string_view text, std::string_view translation);
    std::string TranslateString(std::string_view text);
    // The window's title and the texts its controls show (captions, prompts,
    // menu items, tips); the pictures of entry-like controls stay.
    void TranslateWindow(Window& window);

    const std::map<std::string, std::string>& pairs() const { return pairs_; }

    // The extraction file's name; empty = extraction off.
    CString<261> ExtractText;

private:
    void translateProperty(Window& window, Long control, Long prop);
    void writeExtraction() const;

    std::map<std::string, std::string> pairs_;
};

}  // namespace platform
