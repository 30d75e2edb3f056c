// Draws the program's own pictures, the ones its structures name with "~",
// into the folder given (the repository's resources/, from where the build
// puts them beside every program): the four arrows of the assistant's author
// windows, the assistant's logo, and the configuration window's icons,
// pictures and cursors (ConfigurationPictures.h). Run it again after
// changing a drawing:
//   build/make_pictures resources
#include "ConfigurationPictures.h"
#include "CursorFile.h"
#include "GifFile.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QString>
#include <cstdio>

namespace {

constexpr int kIconSize = 32;
constexpr int kLogoSize = 96;

const QColor kInk(16, 46, 102);
const QColor kLight(92, 160, 232);
const QColor kDeep(24, 82, 170);

QImage canvas(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

// An arrow pointing up on a 32 by 32 grid: a broad head over a shaft.
QPainterPath upArrow() {
    QPainterPath path;
    path.moveTo(16, 3);
    path.lineTo(29, 16);
    path.lineTo(21, 16);
    path.lineTo(21, 29);
    path.lineTo(11, 29);
    path.lineTo(11, 16);
    path.lineTo(3, 16);
    path.closeSubpath();
    return path;
}

// The arrow turned by that many degrees about the middle, shaded from its
// tip to its tail, with a dark outline.
QImage arrow(int degrees) {
    QImage image = canvas(kIconSize);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(kIconSize / 2.0, kIconSize / 2.0);
    p.rotate(degrees);
    p.translate(-kIconSize / 2.0, -kIconSize / 2.0);
    QLinearGradient shade(0, 3, 0, 29);
    shade.setColorAt(0, kLight);
    shade.setColorAt(1, kDeep);
    p.setBrush(shade);
    p.setPen(QPen(kInk, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(upArrow());
    // A glint along the head's left edge.
    p.setPen(QPen(QColor(255, 255, 255, 150), 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(15.5, 6), QPointF(7, 14.5));
    return image;
}

// The assistant's logo: a speech balloon with an "M" on a round blue badge.
QImage logo() {
    QImage image = canvas(kLogoSize);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient badge(QPointF(36, 30), 70);
    badge.setColorAt(0, kLight);
    badge.setColorAt(1, kInk);
    p.setBrush(badge);
    p.setPen(QPen(kInk, 2));
    p.drawEllipse(QRectF(3, 3, 90, 90));

    QPainterPath balloon;
    balloon.addRoundedRect(QRectF(18, 22, 60, 40), 12, 12);
    QPainterPath tail;
    tail.moveTo(30, 58);
    tail.lineTo(24, 76);
    tail.lineTo(44, 60);
    tail.closeSubpath();
    p.setBrush(QColor(255, 255, 255));
    p.setPen(QPen(kInk, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(balloon.united(tail));

    QFont font("Liberation Sans");
    font.setPixelSize(30);
    font.setBold(true);
    p.setFont(font);
    p.setPen(kDeep);
    p.drawText(QRectF(18, 22, 60, 40), Qt::AlignCenter, "M");
    return image;
}

// Writes one picture and names it; false when it could not be written.
bool written(bool done, const QString& path) {
    if (!done) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

bool save(const QImage& image, const QDir& folder, const char* name, const char* format) {
    const QString path = folder.filePath(name);
    return written(image.save(path, format), path);
}

bool saveGif(const std::vector<QImage>& frames, const QDir& folder, const char* name, int hundredthsEach = 0) {
    const QString path = folder.filePath(name);
    return written(writeGif(path, frames, hundredthsEach), path);
}

bool saveCursor(const CursorPicture& cursor, const QDir& folder, const char* name) {
    const QString path = folder.filePath(name);
    return written(writeCursor(path, cursor.picture, cursor.hotSpot), path);
}

constexpr int kPaintShown = 15;  // hundredths of a second each paint stays lit

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_pictures <folder>\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const bool done = save(arrow(0), folder, "Arrowup2.ico", "ico") &&
                      save(arrow(180), folder, "Arrowdn2.ico", "ico") &&
                      save(arrow(270), folder, "ArrowLeft.ico", "ico") &&
                      save(arrow(90), folder, "ArrowRight.ico", "ico") &&
                      save(logo(), folder, "MentavoLogo.png", "png") &&
                      save(paletteIcon(), folder, "Zel.ico", "ico") &&
                      save(profilesIcon(), folder, "ZelProfiles.ico", "ico") &&
                      save(propertiesIcon(), folder, "ZelProperties.ico", "ico") &&
                      save(imageIcon(), folder, "ZelImage.ico", "ico") &&
                      save(appearanceIcon(), folder, "ZelAppearance.ico", "ico") &&
                      save(helpIcon(), folder, "ZelHelp.ico", "ico") &&
                      save(aboutIcon(), folder, "ZelAbout.ico", "ico") &&
                      save(closeIcon(), folder, "ZelClose.ico", "ico") &&
                      save(closeIcon(), folder, "ZelOk.ico", "ico") &&
                      save(newIcon(), folder, "ZelNew.ico", "ico") &&
                      save(deleteIcon(), folder, "ZelDelete.ico", "ico") &&
                      save(lookupIcon(), folder, "ZelLookup.ico", "ico") &&
                      saveGif({ellipseDecoration()}, folder, "ZelEllipse5.gif") &&
                      saveGif(customWorkFrames(), folder, "Zelora op maat 5.gif", kPaintShown) &&
                      saveGif({customWorkLogo()}, folder, "MaatwerkZeloraLogo.gif") &&
                      saveCursor(glove(), folder, "GLOVE.CUR") &&
                      saveCursor(internet(), folder, "ZelInternet.cur");
    return done ? 0 : 1;
}
