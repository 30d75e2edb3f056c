// Character files: a character's pictures and animations in one SQLite file
// of our own format, "<name>.tchar".
//
//   character (name TEXT, width INTEGER, height INTEGER, version INTEGER)  one row
//   image     (id INTEGER PRIMARY KEY, png BLOB)
//   frame     (animation TEXT, position INTEGER, image INTEGER, duration INTEGER)
//
// An animation is its frames in position order; a frame shows one image,
// drawn at the character's top left corner, for `duration` milliseconds.
//
// Rules:
// - readCharacterFile checks the version and the limits (kMaxSide pixels a
//   side for the character and every image, kMaxImages images, every frame's
//   image present) and decodes each image once. A file that fails a check, or
//   is no such database, gives nothing: a bad file just does not load.
// - Animation names are found without regard to case or trailing blanks.
// - File names are the program's Windows-1252 text.
#pragma once

#include "platform/text/Text.h"

#include <QByteArray>
#include <QImage>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::agent {

constexpr Long kCharacterFileVersion = 1;
constexpr int kMaxSide = 512;
constexpr int kMaxImages = 4096;

struct CharacterFrame {
    int image = 0;  // index into CharacterData::images
    Long duration = 0;
};

struct Animation {
    std::string name;  // as the file writes it
    std::vector<CharacterFrame> frames;
};

struct CharacterData {
    std::string name;
    int width = 0;
    int height = 0;
    std::vector<QImage> images;
    std::map<std::string, Animation> animations;  // by the name's lookup key

    const Animation* animation(std::string_view name) const;
    std::vector<std::string> animationNames() const;  // in the files' spelling, sorted
};

std::optional<CharacterData> readCharacterFile(const std::string& path);

// What a character file is written from (the drawing tool, tests).
struct CharacterSource {
    struct Frame {
        std::string animation;
        int image = 0;  // index into pngs
        Long duration = 0;
    };
    std::string name;
    int width = 0;
    int height = 0;
    std::vector<QByteArray> pngs;
    std::vector<Frame> frames;  // each animation's frames in order
};

// Replaces the file; false when it cannot be written.
bool writeCharacterFile(const std::string& path, const CharacterSource& source);

}  // namespace platform::agent
