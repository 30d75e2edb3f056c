// The images windows, opened in the running program from the configuration
// window over the connection window; the stored image rows are read back by
// a reader of the restyle files of its own once the configuration closed.
#include "programsupport/ProgramFixture.h"
#include "support/JpegFile.h"
#include "support/PcxFile.h"

#include "app/main/Globals.h"
#include "platform/data/RecordRef.h"
#include "platform/ui/WindowView.h"
#include "restyle/ZelConditionFile.h"
#include "restyle/ZelConditionSetFile.h"
#include "restyle/ZelRestyleBaseClass.h"
#include "restyle/ZelRestyleFile.h"
#include "restyle/ZelRestyleClass.h"
#include "stylemanager/ZelStylemanagerClass.h"

#include <QAbstractItemView>
#include <filesystem>
#include <optional>

using namespace platform;

namespace {

constexpr const char* kConnectionTitle = "Choose an ODB Cconnection";
constexpr const char* kProcedure = "ChooseODBCconnection";
constexpr Long kConfigureKey = KEY::Ctrl + KEY::Alt + KEY::letter('S');
constexpr Byte kGlobal = 1, kThisProcedure = 0;

// The program's restyle files, opened by a reader of their own for the
// program's user and profile.
class StoredImages {
public:
    StoredImages() {
        for (KeyedFile* file : std::initializer_list<KeyedFile*>{&sets_, &conditions_, &values_})
            if (!file->open()) throw std::runtime_error("the restyle files cannot be read");
        user_ = StyleManager.USERNAME->view();
        profile_ = StyleManager.CURRENTPROFILE.str();
        reader_.SetUserName(user_);
        reader_.REFCURRENTPROFILE = profile_;
        reader_.SetConditionSetFile(sets_, sets_.P_KEY_ZELCS, sets_.S_KEY_ZELCS, sets_.rec.USERNAME,
                                    sets_.rec.PROFILE, sets_.rec.PROCEDURENAME, sets_.rec.GROUPNAME,
                                    sets_.rec.CONDITIONALSET, sets_.rec.CONDITIONALSETID);
        reader_.SetConditionFile(conditions_, conditions_.P_KEY_ZELCD, conditions_.rec.CONDITIONALSETID,
                                 conditions_.rec.CONDITIONALID, conditions_.rec.CONTROL,
                                 conditions_.rec.PROPERTYEQUATE, conditions_.rec.OPERATOR, conditions_.rec.VALUE,
                                 conditions_.rec.MANUALVALUE);
        reader_.SetRestyleFile(values_, values_.P_KEY_ZELRF, values_.rec.CONDITIONALSETID, values_.rec.PROPERTY,
                               values_.rec.PARAMETER, values_.rec.VALUE);
        reader_.PROCEDURENAME = kProcedure;
    }
    ~StoredImages() {
        for (KeyedFile* file : std::initializer_list<KeyedFile*>{&sets_, &conditions_, &values_}) file->close();
    }

    IMAGEPROPERTYGROUPRecord group(Byte global) {
        IMAGEPROPERTYGROUPRecord group;
        reader_.LoadGroup(recordRef(group), set(global), restyle::imagesProperty(clip(profile_.view())));
        return group;
    }
    std::optional<IMAGEQUEUERecord> image(Byte global, Long n) {
        Queue<IMAGEQUEUERecord> row;
        if (!reader_.LoadQueue(row, set(global), restyle::imageProperty(clip(profile_.view()), n))) return {};
        return row.rec;
    }
    std::vector<int> orders(Byte global) {
        std::vector<int> found;
        const Byte count = group(global).NUMBEROFIMAGES;
        for (Long n = 1; n <= count; ++n)
            if (const auto row = image(global, n)) found.push_back(row->IMAGEORDER);
        return found;
    }

private:
    Long set(Byte global) { return reader_.GetConditionSetID(global, 0, restyle::kImagesGroup); }

    ZelConditionSetFile sets_;
    ZelConditionFile conditions_;
    ZelRestyleFile values_;
    String<255> user_;
    CString<256> profile_;
    ZelRestyleBaseClass reader_;
};

IMAGEQUEUERecord imageRow(Byte order, const std::string& file, Short width = 0, Short height = 0, Byte style = 1) {
    IMAGEQUEUERecord row;
    row.IMAGEORDER = order;
    row.IMAGEFILE = file;
    row.WIDTH = width;
    row.HEIGHT = height;
    row.STYLE = style;
    row.MOVEFROM = 1;
    return row;
}

class ConfigureImagesTest : public ProgramFixture {
protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        startProgram();
        picture = folder() + "/picture.jpg";
        writeJpeg(picture, 60, 40, {200, 40, 40}, {40, 40, 200});
    }

    // The images window over the configuration over the connection window,
    // under the change-global switch as given.
    Window& openImages(Byte changeGlobal = kGlobal) {
        if (!connection_) connection_ = &openWindow(KEY::F2, kConnectionTitle);
        StyleManager.CHANGEGLOBALPROPERTIES = changeGlobal;
        StyleManager.USEFADING = 0;  // no window waits for its fade
        drive::pressKey(*connection_, kConfigureKey);
        configuration_ = drive::waitForWindow("Zelora maatwerk");
        if (!configuration_) throw std::runtime_error("the configuration did not open");
        drive::click(*configuration_, "?CONFIGUREIMAGESBUTTON");
        Window* w = drive::waitForWindow("ZelRestyle");
        if (!w) throw std::runtime_error("the images window did not open");
        return *w;
    }
    void closeAll(Window& w) {
        drive::click(w, "?OKBUTTON");
        drive::click(*configuration_, "?CLOSEBUTTON");
        drive::settle();
    }
    static Window& imageWindow() {
        Window* w = drive::waitForWindow("Image properties");
        if (!w) throw std::runtime_error("the image window did not open");
        return *w;
    }
    // "&New" with the picture chosen in the file dialog, then "OK".
    void addPicture(Window& w) {
        drive::click(w, "?INSERTIMAGEBUTTON");
        Window& image = imageWindow();
        drive::click(image, "?IMAGEBUTTON");
        ASSERT_TRUE(drive::answerFileDialog(picture));
        drive::click(image, "?OKBUTTON");
    }
    // The list's rows as its columns show them: "order file".
    static std::vector<std::string> listed(Window& w) {
        auto* list = qobject_cast<QAbstractItemView*>(w.view()->widget(w.equate("?IMAGELIST")));
        std::vector<std::string> rows;
        for (int r = 0; r < list->model()->rowCount(); ++r)
            rows.push_back(list->model()->index(r, 0).data().toString().toStdString() + " " +
                           list->model()->index(r, 1).data().toString().toStdString());
        return rows;
    }
    // Rows stored for the scope as the window stores them, before it opens.
    static void storeImages(Byte global, Byte changeSettings, const std::vector<IMAGEQUEUERecord>& rows) {
        ZelStylemanagerClass& m = StyleManager;
        m.PROCEDURENAME = kProcedure;
        const Long set = m.GetConditionSetID(global, 0, restyle::kImagesGroup);
        const std::string profile = clip(m.CURRENTPROFILE.view());
        IMAGEPROPERTYGROUPRecord group;
        group.CHANGEIMAGESETTINGS = changeSettings;
        group.NUMBEROFIMAGES = static_cast<Byte>(rows.size());
        m.SaveGroup(recordRef(group), set, restyle::imagesProperty(profile));
        Queue<IMAGEQUEUERecord> queue;
        for (std::size_t n = 0; n < rows.size(); ++n) {
            queue.rec = rows[n];
            m.SaveQueue(queue, set, restyle::imageProperty(profile, static_cast<Long>(n + 1)));
        }
    }
    static void useProfile(const char* profile) {
        StyleManager.CURRENTPROFILE = profile;
        StyleManager.IMAGEQUEUE.free();
    }
    static bool sheetEnabled(Window& w) { return w.numberProperty(w.equate("?IMAGEPROPERTIESSHEET"), PROP::Disable) == 0; }

    std::string picture;
    Window* connection_ = nullptr;
    Window* configuration_ = nullptr;
};

}  // namespace

TEST_F(ConfigureImagesTest, AtFirstUseTheDefaultImagesAreListedAndTheSheetWaitsForChangeImage) {
    useProfile("Eerste");
    StyleManager.AddImage(20, "second.gif", 0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0);
    StyleManager.AddImage(10, "first.gif", 0, 0, 0, 0, 0, 0, 2, 1, 0, 0, 0, 0, 0);
    Window& w = openImages();
    EXPECT_EQ(listed(w), (std::vector<std::string>{"10 first.gif", "20 second.gif"}));
    EXPECT_FALSE(sheetEnabled(w));
    EXPECT_FALSE(w.view()->widget(w.equate("?INSERTIMAGEBUTTON"))->isEnabled());
    EXPECT_EQ(w.property(w.equate("?IMAGEPROPERTIESSHEET"), PROP::Wizard), "1") << "no tab headings";
    drive::click(w, "?ENABLEGRAFICENHANCEMEN");
    EXPECT_TRUE(sheetEnabled(w));
    closeAll(w);

    StoredImages stored;
    EXPECT_EQ(stored.group(kGlobal).CHANGEIMAGESETTINGS, 1);
    EXPECT_EQ(stored.orders(kGlobal), (std::vector<int>{10, 20}));
}

TEST_F(ConfigureImagesTest, NewImagesAreNumberedByTensStoredSortedWhenReadAndDeletedAfterAsking) {
    useProfile("Tweede");
    Window* w = &openImages();
    EXPECT_TRUE(listed(*w).empty());
    drive::click(*w, "?ENABLEGRAFICENHANCEMEN");
    for (int i = 0; i < 3; ++i) addPicture(*w);
    const std::string shown = std::filesystem::path(picture).string();
    EXPECT_EQ(listed(*w), (std::vector<std::string>{"10 " + shown, "20 " + shown, "30 " + shown}));
    // The first one last, by its order.
    drive::chooseRow(*w, "?IMAGELIST", 1);
    drive::click(*w, "?CHANGEIMAGEBUTTON");
    drive::typeOver(imageWindow(), "?IMAGEQUEUE:IMAGEORDER", "40");
    drive::click(imageWindow(), "?OKBUTTON");
    const int ownWidth = w->units().toUnitsX(60), ownHeight = w->units().toUnitsY(40);
    closeAll(*w);
    {
        StoredImages stored;
        EXPECT_EQ(stored.orders(kGlobal), (std::vector<int>{40, 20, 30})) << "in list order";
        const std::optional<IMAGEQUEUERecord> first = stored.image(kGlobal, 2);
        ASSERT_TRUE(first.has_value());
        EXPECT_EQ(first->IMAGEFILE.str(), picture);
        EXPECT_EQ(first->WIDTH, ownWidth) << "the picture's own size";
        EXPECT_EQ(first->HEIGHT, ownHeight);
        EXPECT_EQ(first->STYLE, 1);
        EXPECT_EQ(first->MOVEFROM, 1);
    }

    w = &openImages();
    EXPECT_EQ(listed(*w), (std::vector<std::string>{"20 " + shown, "30 " + shown, "40 " + shown}));
    drive::chooseRow(*w, "?IMAGELIST", 2);
    drive::click(*w, "?DELETEIMAGEBUTTON");
    EXPECT_EQ(drive::messageText(), "Do you want to delete this image?");
    ASSERT_TRUE(drive::answerMessage("Yes"));
    EXPECT_EQ(listed(*w), (std::vector<std::string>{"20 " + shown, "40 " + shown}));

    drive::click(*w, "?INSERTIMAGEBUTTON");
    drive::click(imageWindow(), "?IMAGEBUTTON");
    ASSERT_TRUE(drive::cancelFileDialog());
    EXPECT_EQ(drive::screenText(imageWindow(), "?IMAGEFILE"), "") << "no file chosen";
    drive::click(imageWindow(), "?CANCELBUTTON");
    EXPECT_EQ(listed(*w).size(), 2u) << "nothing added";
    closeAll(*w);

    StoredImages stored;
    EXPECT_EQ(stored.orders(kGlobal), (std::vector<int>{20, 40}));
    EXPECT_TRUE(stored.image(kGlobal, 3).has_value()) << "the third row stays in the file";
}

TEST_F(ConfigureImagesTest, CancelReadsTheRowBackAndTheOrderOfANewRowWrapsPast255) {
    useProfile("Derde");
    std::vector<IMAGEQUEUERecord> rows;
    for (Byte order = 1; order <= 25; ++order) rows.push_back(imageRow(order, "image.gif"));
    storeImages(kGlobal, 1, rows);
    Window& w = openImages();
    drive::click(w, "?INSERTIMAGEBUTTON");
    EXPECT_EQ(drive::screenText(imageWindow(), "?IMAGEQUEUE:IMAGEORDER"), "4") << "260 mod 256";
    drive::click(imageWindow(), "?CANCELBUTTON");

    drive::chooseRow(w, "?IMAGELIST", 2);
    drive::click(w, "?CHANGEIMAGEBUTTON");
    drive::typeOver(imageWindow(), "?IMAGEFILE", "other.gif");
    drive::click(imageWindow(), "?CANCELBUTTON");
    EXPECT_EQ(listed(w)[1], "2 image.gif");
    closeAll(w);
    StoredImages stored;
    EXPECT_EQ(stored.image(kGlobal, 2)->IMAGEFILE.str(), "image.gif");
    EXPECT_EQ(stored.group(kGlobal).NUMBEROFIMAGES, 25);
}

TEST_F(ConfigureImagesTest, FixedRowsAreNeitherChangedNorDeleted) {
    useProfile("Vast");
    StyleManager.AddImage(10, "fixed.gif", 0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 1);
    Window& w = openImages();
    drive::click(w, "?ENABLEGRAFICENHANCEMEN");
    drive::chooseRow(w, "?IMAGELIST", 1);
    drive::click(w, "?CHANGEIMAGEBUTTON");
    EXPECT_EQ(drive::window("Image properties"), nullptr);
    drive::click(w, "?DELETEIMAGEBUTTON");
    EXPECT_EQ(drive::messageText(), "") << "no question";
    EXPECT_EQ(listed(w), std::vector<std::string>{"10 fixed.gif"});
    closeAll(w);
}

TEST_F(ConfigureImagesTest, OpeningStoresTheListWhereItCameFromAndASwitchStoresItForTheNewScope) {
    useProfile("Bereik");
    const struct {
        const char* opened;
        Byte changeGlobal;
        std::vector<int> shown;
    } openings[] = {{"for the whole program", kGlobal, {1, 2}}, {"for the procedure", kThisProcedure, {7}}};
    for (const auto& o : openings) {
        SCOPED_TRACE(o.opened);
        storeImages(kGlobal, 1, {imageRow(1, "a.gif"), imageRow(2, "b.gif")});
        storeImages(kThisProcedure, 1, {imageRow(7, "c.gif")});
        Window& w = openImages(o.changeGlobal);
        EXPECT_EQ(listed(w).size(), o.shown.size());
        closeAll(w);
        StoredImages stored;
        EXPECT_EQ(stored.orders(kGlobal), (std::vector<int>{1, 2}));
        EXPECT_EQ(stored.orders(kThisProcedure), std::vector<int>{7});
    }

    Window& w = openImages(kGlobal);
    drive::click(w, "?CHANGEGLOBALPROPERTIES:PROCEDURE");
    EXPECT_EQ(StyleManager.CHANGEGLOBALPROPERTIES, 0);
    EXPECT_EQ(w.numberProperty(w.equate("?PROCEDURENAME"), PROP::Disable), 0);
    EXPECT_EQ(drive::screenText(w, "?PROCEDURENAME"), kProcedure);
    closeAll(w);
    StoredImages stored;
    EXPECT_EQ(stored.orders(kThisProcedure), (std::vector<int>{1, 2})) << "the shown list, for the procedure";
}

TEST_F(ConfigureImagesTest, ThePreviewShowsTheModeAndASizeNeverLargerThanItsBox) {
    useProfile("Voorbeeld");
    const std::string pcx = folder() + "/picture.pcx";
    writePcx(pcx, 30, 20, PcxKind::TrueColour, [](int, int) { return Rgb{40, 90, 200}; });
    struct Picture {
        std::string file;
        int width, height;  // pixels
    };
    const Picture jpeg{picture, 60, 40}, paintbrush{pcx, 30, 20};
    const struct {
        const char* image;
        const Picture& file;
        Short width, height;
        Byte style, widthInPercentage, heightInPercentage;
        bool centred, tiled;
        int shownWidth, shownHeight;  // -1: the picture's own
    } cases[] = {
        {"its own size, stretched", jpeg, 0, 0, 1, 0, 0, false, false, -1, -1},
        {"small, centred", jpeg, 20, 10, 2, 0, 0, true, false, 20, 10},
        {"larger than the box, tiled", jpeg, 500, 300, 3, 0, 0, false, true, 126, 96},
        {"half the box wide, a quarter high", jpeg, 50, 25, 1, 1, 1, false, false, 63, 24},
        {"a width alone", jpeg, 30, 0, 1, 0, 0, false, false, 30, -1},
        {"a PCX file at its own size", paintbrush, 0, 0, 2, 0, 0, true, false, -1, -1},
    };
    std::vector<IMAGEQUEUERecord> rows;
    for (const auto& c : cases) {
        IMAGEQUEUERecord row = imageRow(static_cast<Byte>(rows.size() + 1), c.file.file, c.width, c.height, c.style);
        row.WIDTHINPERCENTAGE = c.widthInPercentage;
        row.HEIGHTINPERCENTAGE = c.heightInPercentage;
        rows.push_back(row);
    }
    storeImages(kGlobal, 1, rows);
    Window& w = openImages();
    const Long preview = w.equate("?IMAGE");
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        SCOPED_TRACE(c.image);
        drive::chooseRow(w, "?IMAGELIST", static_cast<int>(i + 1));
        EXPECT_EQ(w.property(preview, PROP::Text), c.file.file);
        EXPECT_EQ(w.numberProperty(preview, PROP::Centered), c.centred ? 1 : 0);
        EXPECT_EQ(w.numberProperty(preview, PROP::Tiled), c.tiled ? 1 : 0);
        EXPECT_EQ(w.numberProperty(preview, PROP::Width),
                  c.shownWidth < 0 ? w.units().toUnitsX(c.file.width) : c.shownWidth);
        EXPECT_EQ(w.numberProperty(preview, PROP::Height),
                  c.shownHeight < 0 ? w.units().toUnitsY(c.file.height) : c.shownHeight);
    }
    closeAll(w);
}

TEST_F(ConfigureImagesTest, TheStoredImagesShowOnTheWindowOnceTheConfigurationHasClosed) {
    useProfile("Getoond");
    Window& w = openImages(kThisProcedure);
    drive::click(w, "?ENABLEGRAFICENHANCEMEN");
    addPicture(w);
    closeAll(w);
    drive::closeBySystemMenu(*connection_);
    Window& reopened = openWindow(KEY::F2, kConnectionTitle);
    std::size_t shown = 0;
    for (const Long control : reopened.controlNumbers())
        if (reopened.numberProperty(control, PROP::Type) == CREATE::image &&
            reopened.property(control, PROP::Text) == picture && reopened.numberProperty(control, PROP::Hide) == 0)
            ++shown;
    EXPECT_EQ(shown, 1u);
    drive::renderPng(reopened, folder() + "/configure-images-applied.png");
}
