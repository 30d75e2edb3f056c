// Pictures from files (JPEG through libjpeg, the others through Qt) decoded
// once, names the layer draws, and images as controls.
#include "RunningWindow.h"

#include "support/JpegFile.h"
#include "support/PcxFile.h"
#include "support/TempFolder.h"

#include "platform/fiber/Clock.h"
#include "platform/ui/PictureFiles.h"
#include "platform/ui/WindowView.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/view/Looks.h"

#include <QImage>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using namespace platform;
namespace fs = std::filesystem;

TEST(PictureFiles, EachFormatIsReadAndWhatCannotBeReadShowsNothing) {
    TempFolder folder;
    const std::string jpeg = (folder.path() / "red.jpg").string();
    writeJpeg(jpeg, 40, 30, {220, 20, 20}, {20, 20, 220});
    QImage square(8, 6, QImage::Format_RGB32);
    square.fill(QColor(10, 200, 10));
    for (const char* format : {"png", "bmp", "ico"})
        ASSERT_TRUE(square.save(QString::fromStdString((folder.path() / "green.").string() + format), format))
            << format;
    // Qt reads GIF but writes none: one green pixel.
    const std::string gif = (folder.path() / "green.gif").string();
    std::ofstream(gif, std::ios::binary) << std::string("GIF89a\x01\x00\x01\x00\x80\x00\x00\x0a\xc8\x0a\x00\x00\x00"
                                                        ",\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;",
                                                        35);
    const std::string broken = (folder.path() / "broken.jpg").string();
    std::ofstream(broken, std::ios::binary) << "\xFF\xD8\xFF\xE0 not a picture";
    const struct {
        std::string file;
        int width, height;  // 0: nothing shows
        QColor left;
    } cases[] = {
        {jpeg, 40, 30, QColor(220, 20, 20)},
        {(folder.path() / "green.png").string(), 8, 6, QColor(10, 200, 10)},
        {(folder.path() / "green.bmp").string(), 8, 6, QColor(10, 200, 10)},
        {gif, 1, 1, QColor(10, 200, 10)},
        {(folder.path() / "green.ico").string(), 8, 6, QColor(10, 200, 10)},
        {broken, 0, 0, {}},
        {(folder.path() / "missing.png").string(), 0, 0, {}},
        {"", 0, 0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const QPixmap picture = pictureFor(c.file);
        EXPECT_EQ(picture.width(), c.width);
        EXPECT_EQ(picture.height(), c.height);
        if (c.width == 0) continue;
        const QColor left = picture.toImage().pixelColor(0, c.height / 2);
        EXPECT_NEAR(left.red(), c.left.red(), 12);
        EXPECT_NEAR(left.green(), c.left.green(), 12);
        EXPECT_NEAR(left.blue(), c.left.blue(), 12);
    }
}

// Two hundred colours (palette indexes above BFh among them, which are
// written as runs), then a run longer than one count holds.
TEST(PictureFiles, PcxFilesOfEitherKindAreReadAndOnesCutShortOrOfFewerBitsShowNothing) {
    TempFolder folder;
    const auto colourAt = [](int x, int) {
        return x < 200 ? Rgb{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(x / 2),
                             static_cast<std::uint8_t>(200 - x)}
                       : Rgb{10, 200, 10};
    };
    const std::string paletted = folder.file("paletted.pcx"), trueColour = folder.file("true.pcx");
    writePcx(paletted, 270, 3, PcxKind::Paletted, colourAt);
    writePcx(trueColour, 270, 3, PcxKind::TrueColour, colourAt);
    const std::string whole = bytesOf(trueColour);
    writeBytes(folder.path() / "cut.pcx", whole.substr(0, whole.size() / 2));
    std::string fourBits = whole;
    fourBits[3] = 4;
    writeBytes(folder.path() / "four.pcx", fourBits);
    const struct {
        std::string file;
        bool shows;
    } cases[] = {{paletted, true}, {trueColour, true}, {folder.file("cut.pcx"), false}, {folder.file("four.pcx"), false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const QImage picture = pictureFile(c.file).toImage();
        if (!c.shows) {
            EXPECT_TRUE(picture.isNull());
            continue;
        }
        ASSERT_EQ(picture.size(), QSize(270, 3));
        for (const int x : {5, 199, 260}) {
            const Rgb expected = colourAt(x, 1);
            EXPECT_EQ(picture.pixelColor(x, 1), QColor(expected.r, expected.g, expected.b)) << x;
        }
    }
}

TEST(PictureFiles, AFileIsDecodedOnceUntilItChanges) {
    TempFolder folder;
    const std::string file = (folder.path() / "back.jpg").string();
    writeJpeg(file, 30, 20, {0, 0, 0});
    const std::size_t before = picturesDecoded();
    pictureFor(file);
    pictureFor(file);
    EXPECT_EQ(picturesDecoded(), before + 1);
    writeJpeg(file, 50, 20, {0, 0, 0});
    fs::last_write_time(file, fs::last_write_time(file) + std::chrono::seconds(2));
    EXPECT_EQ(pictureFor(file).width(), 50) << "read again";
    EXPECT_EQ(picturesDecoded(), before + 2);
}

TEST(PictureFiles, NamesWithATildeAreTheProgramsOwnPicturesBesideIt) {
    for (const char* ours : {"~Arrowup2.ico", "~Arrowdn2.ico", "~ArrowLeft.ico", "~ArrowRight.ico", "~MentavoLogo.png"})
        EXPECT_FALSE(pictureFile(programPictureFile(ours)).isNull()) << ours << " beside the program";

    TempFolder folder;
    fs::create_directory(folder.path() / "inner");
    QImage square(5, 5, QImage::Format_RGB32);
    square.fill(Qt::blue);
    for (const char* file : {"own.png", "inner/deeper.png"})
        ASSERT_TRUE(square.save(QString::fromStdString(folder.file(file))));
    setenv("TABLOOM_RESOURCES", folder.path().c_str(), 1);
    EXPECT_EQ(pictureFor("~own.png").width(), 5) << "the file of the bare name among the program's";
    const auto cursor = cursorFor("~own.png");
    ASSERT_TRUE(cursor.has_value());
    EXPECT_EQ(cursor->pixmap().width(), 5) << "cursors too";
    for (const char* outside : {"~inner/deeper.png", "~../own.png", "~.hidden.png"})
        EXPECT_EQ(programPictureFile(outside), "") << outside << " would leave the folder";
    unsetenv("TABLOOM_RESOURCES");

    for (const char* drawn : {"~ZelCloseApplication.ico", "~Application.ico", "~EXCLAMATION", "~Unknown.ico"})
        EXPECT_FALSE(pictureFor(drawn).isNull()) << drawn;
    EXPECT_NE(pictureFor("~ZelCloseApplication.ico").toImage(), pictureFor("~Unknown.ico").toImage())
        << "the close button is drawn, not a letter";
}

TEST(PictureFiles, ANameOfNoFileTakesTheProgramsDrawingOfThatName) {
    for (const char* name : {"Genie.ico", "Move Toolbox.ico", "Pauze.ico", "ZelCloseApplication.ico"}) {
        const QImage drawing = pictureFor(std::string("~") + name).toImage();
        EXPECT_NE(drawing, pictureFor("~Unknown.ico").toImage()) << name << " is drawn, not a letter";
        EXPECT_EQ(pictureFor(name).toImage(), drawing) << name << " without the tilde";
        EXPECT_EQ(pictureFor(upper(name)).toImage(), drawing) << "whatever the case";
    }
    EXPECT_TRUE(pictureFor("Unknown.ico").isNull()) << "no file and no drawing: nothing, not a letter";

    TempFolder folder;
    QImage square(5, 5, QImage::Format_RGB32);
    square.fill(Qt::blue);
    const std::string own = folder.file("Pauze.ico");
    ASSERT_TRUE(square.save(QString::fromStdString(own), "png"));
    EXPECT_EQ(pictureFor(own).width(), 5) << "a file of that name comes first";
}

TEST(PictureFiles, ACursorFileClicksAtItsHotSpot) {
    TempFolder folder;
    QImage arrow(16, 16, QImage::Format_ARGB32);
    arrow.fill(Qt::black);
    const std::string icon = folder.file("arrow.ico"), cursorFile = folder.file("arrow.cur");
    ASSERT_TRUE(arrow.save(QString::fromStdString(icon), "ico"));
    // A cursor file is an icon file of type 2 whose entry holds the hot spot.
    std::ifstream in(icon, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    bytes[2] = 2, bytes[10] = 3, bytes[12] = 5;
    std::ofstream(cursorFile, std::ios::binary) << bytes;

    const auto cursor = cursorFor(cursorFile);
    ASSERT_TRUE(cursor.has_value());
    EXPECT_EQ(cursor->pixmap().width(), 16);
    EXPECT_EQ(cursor->hotSpot(), QPoint(3, 5));
    EXPECT_EQ(cursorHotSpot(icon), std::nullopt) << "an icon has none";
    EXPECT_EQ(cursorFor(icon)->hotSpot(), QPoint(8, 8)) << "its middle";
}

TEST(PictureFiles, AnImageOfNaturalSizeIsItsPictureAndLetsClicksThroughToTheControlUnder) {
    TempFolder folder;
    const std::string file = (folder.path() / "stamp.jpg").string();
    writeJpeg(file, 48, 32, {90, 90, 200});
    RunningWindow w({.label = "W", .title = "stamp", .at = {0, 0, 200, 100},
                     .controls = {{.type = CREATE::button, .label = "?Press", .text = "Press", .at = {10, 10, 60, 20}},
                                  {.type = CREATE::image, .label = "?Stamp", .text = file, .at = {10, 10, 60, 20}}}});
    const Long stamp = w.number("?Stamp");
    w->setProperty(0, PROP::Pixels, 1);
    w->setProperty(stamp, PROP::NoWidth, 1);
    w->setProperty(stamp, PROP::NoHeight, 1);
    drive::settle();
    EXPECT_EQ(w->numberProperty(stamp, PROP::Width), 48);
    EXPECT_EQ(w->numberProperty(stamp, PROP::Height), 32);
    w->setProperty(stamp, PROP::Width, 20);
    EXPECT_EQ(w->property(stamp, PROP::NoWidth), "") << "a width written is no longer natural";
    EXPECT_EQ(w->property(stamp, PROP::NoHeight), "1");
    drive::click(*w, "?Press");
    ASSERT_EQ(w.taken(EVENT::Accepted).size(), 1u);
    EXPECT_EQ(w.taken(EVENT::Accepted)[0].field, w.number("?Press"));
}

TEST(PictureFiles, AnAnimatedImagePlaysItsFramesOnTheClockLoopingAndAfreshWhenItsTextIsWritten) {
    TempFolder folder;
    // One pixel, red for a tenth of a second, then blue for three tenths.
    const std::string film = (folder.path() / "film.gif").string();
    constexpr char bytes[] =
        "GIF89a\x01\x00\x01\x00\x80\x00\x00\xdc\x14\x14\x14\x14\xdc"
        "\x21\xff\x0bNETSCAPE2.0\x03\x01\x00\x00\x00"
        "\x21\xf9\x04\x00\x0a\x00\x00\x00,\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00"
        "\x21\xf9\x04\x00\x1e\x00\x00\x00,\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x4c\x01\x00;";
    std::ofstream(film, std::ios::binary) << std::string(bytes, sizeof bytes - 1);
    const PictureFrames frames = pictureFileFrames(film);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].shown, std::chrono::milliseconds(100));
    EXPECT_EQ(frames[1].shown, std::chrono::milliseconds(300));

    Clock::useFake();
    RunningWindow w({.label = "W", .title = "film", .at = {0, 0, 200, 100},
                     .controls = {{.type = CREATE::image, .label = "?Film", .text = film, .at = {10, 10, 40, 20}}}});
    QWidget* shown = w->view()->widget(w.number("?Film"));
    const auto colour = [shown] { return shown->grab().toImage().pixelColor(shown->width() / 2, shown->height() / 2); };
    const auto after = [](int ms) {
        Clock::advance(std::chrono::milliseconds(ms));
        drive::settle();
    };
    const struct {
        int advance;
        int frame;
        QColor colour;
    } steps[] = {{0, 1, QColor(220, 20, 20)},  {99, 1, QColor(220, 20, 20)},  {1, 2, QColor(20, 20, 220)},
                 {299, 2, QColor(20, 20, 220)}, {1, 1, QColor(220, 20, 20)}, {100, 2, QColor(20, 20, 220)}};
    for (const auto& s : steps) {
        after(s.advance);
        EXPECT_EQ(drive::pictureFrame(*w, "?Film"), s.frame) << "after " << s.advance << " ms more";
        EXPECT_EQ(colour(), s.colour) << "after " << s.advance << " ms more";
    }
    w->setProperty(w.number("?Film"), PROP::Text, film);
    drive::settle();
    EXPECT_EQ(drive::pictureFrame(*w, "?Film"), 1) << "the same text written again starts it afresh";
    after(100);
    EXPECT_EQ(drive::pictureFrame(*w, "?Film"), 2);
    Clock::useReal();
}
