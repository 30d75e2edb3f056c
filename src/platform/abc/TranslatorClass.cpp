#include "platform/abc/TranslatorClass.h"

#include "platform/files/WholeLineFile.h"
#include "platform/text/Codepage.h"
#include "platform/ui/Window.h"

#include <filesystem>

namespace platform {
namespace {

// The file's lines put a text at character 21: this much goes before it.
const std::string kPairIndent(11, ' ');

bool collectable(std::string_view text) { return !text.empty() && text.find_first_of("\r\n") == text.npos; }

// The first 8 characters of the file's base name: "ZelRestyle.trn" gives
// "ZelResty".
std::string groupName(std::string_view fileName) {
    const std::size_t slash = fileName.find_last_of("\\/");
    std::string_view base = slash == fileName.npos ? fileName : fileName.substr(slash + 1);
    base = base.substr(0, base.find('.'));
    return std::string(base.substr(0, 8));
}

std::string pairLine(std::string_view text) { return kPairIndent + "PSTRING('" + std::string(text) + "')"; }

// An empty file holds nobody's translations (a writer killed half-way left
// it, before files were written whole).
bool holdsText(const std::string& name) {
    std::error_code missing;
    const std::uintmax_t size = std::filesystem::file_size(systemFileName(name), missing);
    return !missing && size > 0;
}

}  // namespace

void TranslatorClass::Init() {
    pairs_.clear();
    ExtractText = "";
}

void TranslatorClass::Kill() {
    if (!ExtractText.empty()) writeExtraction();
    pairs_.clear();
}

void TranslatorClass::AddTranslation(std::string_view text, std::string_view translation) {
    pairs_.insert_or_assign(clip(text), std::string(translation));
}

std::string TranslatorClass::TranslateString(std::string_view text) {
    std::string key = clip(text);
    const auto pair = pairs_.find(key);
    if (pair != pairs_.end() && !pair->second.empty()) return pair->second + std::string(text.substr(key.size()));
    if (pair == pairs_.end() && !ExtractText.empty() && collectable(key)) pairs_.emplace(std::move(key), "");
    return std::string(text);
}

void TranslatorClass::translateProperty(Window& window, Long control, Long prop) {
    const std::string text = window.property(control, prop);
    // A picture ("@s20") is no text.
    if (text.empty() || text.front() == '@') return;
    window.setProperty(control, prop, TranslateString(text));
}

void TranslatorClass::TranslateWindow(Window& window) {
    translateProperty(window, 0, PROP::Text);
    for (Long control : window.controlNumbers()) {
        // An image's text is its file.
        if (window.numberProperty(control, PROP::Type) != CREATE::image) translateProperty(window, control, PROP::Text);
        translateProperty(window, control, PROP::Tip);
        translateProperty(window, control, PROP::Msg);
    }
}

void TranslatorClass::writeExtraction() const {
    const std::string name = ExtractText.str();
    if (holdsText(name)) return;
    std::size_t untranslated = 0;
    for (const auto& [text, translation] : pairs_) untranslated += translation.empty() ? 1 : 0;
    WholeLineFile file(name);
    if (!file.begin()) return;
    file.line(groupName(name) + " GROUP");
    file.line("Items      USHORT(" + std::to_string(untranslated) + ")");
    for (const auto& [text, translation] : pairs_) {
        if (!translation.empty()) continue;
        file.line(pairLine(text));
        file.line(pairLine(""));
    }
    file.line("   END");
    file.finish();
}

}  // namespace platform
