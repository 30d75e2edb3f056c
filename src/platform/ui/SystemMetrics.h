// The look shared by every window the layer draws: frame and caption sizes,
// the font table, system colours and dialog units.
#pragma once

#include "platform/text/Text.h"
#include "platform/ui/DialogUnits.h"
#include "platform/ui/PictureFiles.h"

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QKeySequence>
#include <QPixmap>
#include <string>
#include <string_view>

namespace platform {

struct SystemMetrics {
    static constexpr int frameWidth = 3;
    static constexpr int captionHeight = 20;
    static constexpr int edge = 1;
};

// The system's font names mapped to installed fonts, at the same point size.
QFont mappedFont(const std::string& name, int pointSize);

// Windows BGR colour numbers; 80000000h + n is system colour n; -1 is none.
QColor colorFromNumber(Long bgr);

// Icons and images by name: a file of that name on disk (PictureFiles.h),
// else the layer's drawing of the name with "~" before it ("Pauze.ico" with
// no such file shows "~Pauze.ico"), else nothing; a name starting with "~"
// is the program's own: drawn by the layer (the message-box symbols,
// "~MentavoButton.ico", "~ZelCloseApplication.ico", ICON::Application,
// "~Genie.ico", "~Move Toolbox.ico", "~Pauze.ico"), else its file among the
// program's pictures (programPictureFile), else a letter on a square.
QIcon iconFor(const std::string& name);
QPixmap pictureFor(const std::string& name);
// Every frame of the picture, for one that is animated (PictureFiles.h).
PictureFrames picturesFor(const std::string& name);
// The file of the program's own picture "~name": the name in the folder
// "resources" beside the program (TABLOOM_RESOURCES names another); empty
// for a name that would lead out of that folder.
std::string programPictureFile(std::string_view name);

// The runtime's key code of a Qt key event; 0 for a lone modifier.
Long keyCodeOf(int qtKey, Qt::KeyboardModifiers modifiers);
// The letter or digit of a key code, upper case; 0 for any other key.
char letterOf(Long keyCode);
// The keys of a key code, as a menu shows them; empty for none.
QKeySequence keySequenceOf(Long keyCode);
// What a key code types, as a keyboard gives it: nothing with Ctrl or Alt.
QString typedTextOf(Long keyCode);

// Menu and button texts: "&" marks the mnemonic, "&&" a literal ampersand.
QString withoutMnemonic(const std::string& text);
std::string textWithoutMnemonic(std::string_view text);
// The letter or digit after a lone "&", upper case; 0 for none.
char mnemonicOf(std::string_view text);

}  // namespace platform
