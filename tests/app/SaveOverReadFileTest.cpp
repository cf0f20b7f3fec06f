// Saving over the file a document was read from: a file read in part is never replaced without a question
// whose default is No, a cursor file keeps the format its content has whatever its name says, Save as
// takes the extension of the chosen filter and never proposes a picture's name, and the window shows the
// depths a writer set.

#include "support/WindowFixture.h"

#include "app/PicturePanel.h"
#include "app/WindowText.h"

#include "app/WindowText.h"
#include "model/AniBytes.h"
#include "model/AniFileReader.h"
#include "model/IconFileReader.h"
#include "model/Messages.h"
#include "model/XcursorFileReader.h"
#include "support/RecordingMessages.h"

#include <QComboBox>
#include <QImage>
#include <QTabBar>

namespace vantle::test {

namespace {

constexpr std::string_view kPartlyReadText =
    "\r\nこのファイルは完全には読み込めていない為、上書き保存すると\r\n"
    "読み込めなかったイメージやアニメーションは失われます。\r\n"
    "上書き保存しますか？";

Bytes fileBytes(const std::string& p) {
    std::ifstream in(p, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeBytes(const std::string& p, const Bytes& bytes) {
    std::ofstream(p, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A two-colour bitmap entry of the given size whose pixel (0, 0) has the colour.
EntryInput twoColourEntry(int size, colourRGB colour, unsigned field4 = 0, unsigned field6 = 0) {
    BitmapInput s;
    s.width = s.height = size;
    s.bitCount = 1;
    s.palette = {kBlack, colour};
    s.valueAt = [](int x, int y) { return x == 0 && y == 0 ? 1 : 0; };
    return entryFor(s, field4, field6);
}

// An animated cursor of three frames, each a cursor of 32, 48 and 64 pixels, as modern packs store them.
Bytes multiSizeAni() {
    std::vector<Bytes> resources;
    for (colourRGB c : {0x0000FFu, 0x00FF00u, 0xFF0000u})
        resources.push_back(iconFileBytes(
            2, {twoColourEntry(32, c, 3, 4), twoColourEntry(48, c, 4, 6), twoColourEntry(64, c, 6, 8)}));
    return riff({anih(3, 3, 5), frames(resources)});
}

std::unique_ptr<IconDocument> readBack(const std::string& p, bool animated) {
    auto d = std::make_unique<IconDocument>();
    d->clearImages(0xE0E0E0);
    RecordingMessages messages;
    ReadContext context{messages, MarkerColours{}};
    if (animated)
        readAniFile(*d, p, context);
    else
        readIconFile(*d, p, context);
    return d;
}

} // namespace

class SaveOverReadFile : public WindowTest {
  protected:
    // An icon whose second entry (64 x 64) the document cannot hold: read in part, with the size message.
    std::string writePartlyReadIcon(const std::string& name) {
        const std::string p = path(name);
        writeBytes(p, iconFileBytes(1, {twoColourEntry(32, 0x0000FF), twoColourEntry(64, 0x00FF00)}));
        return p;
    }

    // The questions asked since the last clear, in order.
    std::vector<ShownMessage> questions() const {
        std::vector<ShownMessage> q;
        for (const ShownMessage& m : platform.messages)
            if (m.buttons != MessageButtons::Ok)
                q.push_back(m);
        return q;
    }
};

TEST_F(SaveOverReadFile, SaveOverAFileReadInPartAsksWithNoAsDefaultAndNoKeepsTheFile) {
    const std::string p = writePartlyReadIcon("big.ico");
    openFile(p);
    ASSERT_EQ(document->imageCount, 1);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, text::kTooLarge);
    const Bytes original = fileBytes(p);
    drawCells({{3, 3}});
    platform.messages.clear();

    platform.messageAnswers = {MessageAnswer::Yes, MessageAnswer::No};
    window->M_F_OverWrite_Click();
    const auto asked = questions();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].text, p + "で上書き保存しますか？") << "the designed question comes first";
    EXPECT_EQ(asked[1].text, p + std::string(kPartlyReadText));
    EXPECT_EQ(asked[1].buttons, MessageButtons::YesNo);
    EXPECT_EQ(asked[1].icon, MessageIcon::None);
    EXPECT_EQ(asked[1].defaultAnswer, MessageAnswer::No);
    EXPECT_EQ(fileBytes(p), original) << "No leaves the file as it was";
    EXPECT_TRUE(window->state().modified);

    // Enter on the question (the default button) keeps the file too.
    platform.messageAnswers = {MessageAnswer::Yes};
    window->M_F_OverWrite_Click();
    EXPECT_EQ(platform.unexpectedQuestions.size(), 1u);
    platform.unexpectedQuestions.clear();
    EXPECT_EQ(fileBytes(p), original);

    platform.messageAnswers = {MessageAnswer::Yes, MessageAnswer::Yes};
    window->M_F_OverWrite_Click();
    EXPECT_FALSE(window->state().modified);
    const auto back = readBack(p, false);
    ASSERT_EQ(back->imageCount, 1) << "Yes writes what the document holds";
    EXPECT_EQ(back->images[0].pixels(3, 3), canvas().leftColour);

    // The file now holds the whole document: the next save asks only the designed question.
    platform.messages.clear();
    platform.messageAnswers = {MessageAnswer::Yes};
    window->M_F_OverWrite_Click();
    EXPECT_EQ(questions().size(), 1u);
    EXPECT_TRUE(platform.unexpectedQuestions.empty());
}

TEST_F(SaveOverReadFile, SaveAsToTheSamePathAsksAndToAnotherDoesNot) {
    const std::string p = path("multi.ani");
    writeBytes(p, multiSizeAni());
    openFile(p);
    ASSERT_EQ(document->imageCount, 3) << "one image per frame";
    ASSERT_EQ(document->stepCount, 3);
    EXPECT_EQ(image(1).width, 32) << "the entry nearest 32 x 32";
    const Bytes original = fileBytes(p);
    window->selectTab(1);
    drawCells({{1, 1}});
    platform.messages.clear();

    platform.saveAnswers.push_back(p);
    platform.messageAnswers = {MessageAnswer::No};
    EXPECT_EQ(window->M_F_NewWrite_Click(), ui::SaveResult::Cancelled);
    ASSERT_EQ(questions().size(), 1u);
    EXPECT_EQ(questions()[0].text, p + std::string(kPartlyReadText));
    EXPECT_EQ(fileBytes(p), original);
    EXPECT_TRUE(window->state().modified);

    // Another name: nothing of that file was read, nothing to ask.
    platform.messages.clear();
    platform.saveAnswers.push_back(path("copy.ani"));
    EXPECT_EQ(window->M_F_NewWrite_Click(), ui::SaveResult::Saved);
    EXPECT_TRUE(questions().empty());
    EXPECT_EQ(fileBytes(p), original);

    // The same file spelled another way is still the same file.
    platform.saveAnswers.push_back(folder.path().toStdString() + "/./multi.ani");
    platform.messageAnswers = {MessageAnswer::Yes};
    EXPECT_EQ(window->M_F_NewWrite_Click(), ui::SaveResult::Saved);
    EXPECT_NE(fileBytes(p), original);
    EXPECT_EQ(readBack(p, true)->stepCount, 3);
}

TEST_F(SaveOverReadFile, AnAppendedFileReadInPartIsRememberedUntilANewDocument) {
    const std::string p = writePartlyReadIcon("more.ico");
    platform.openAnswers.push_back(p);
    window->M_F_AppOpen_Click();
    ASSERT_EQ(document->imageCount, 2);
    ASSERT_EQ(document->filePath, p);
    platform.messages.clear();
    platform.messageAnswers = {MessageAnswer::Yes, MessageAnswer::No};
    window->M_F_OverWrite_Click();
    EXPECT_EQ(questions().size(), 2u) << "Save over the appended file asks";

    platform.messageAnswers = {MessageAnswer::No};
    window->M_F_New_Click();
    EXPECT_EQ(document->imageCount, 1);
    platform.messages.clear();
    platform.saveAnswers.push_back(p);
    platform.messageAnswers.clear();
    EXPECT_EQ(window->M_F_NewWrite_Click(), ui::SaveResult::Saved);
    EXPECT_TRUE(questions().empty()) << "a new document forgets what the last one read";
}

TEST_F(SaveOverReadFile, AFileOpenedFromTheCommandLineReadInPartAsksToo) {
    const std::string p = writePartlyReadIcon("cmd.ico");
    open(p);
    ASSERT_EQ(document->imageCount, 1);
    const Bytes original = fileBytes(p);
    platform.messages.clear();
    platform.messageAnswers = {MessageAnswer::Yes, MessageAnswer::No};
    window->M_F_OverWrite_Click();
    EXPECT_EQ(questions().size(), 2u);
    EXPECT_EQ(fileBytes(p), original);
}

TEST_F(SaveOverReadFile, AFileReadWholeKeepsTheDesignedSave) {
    const std::string p = writeIcon("whole.ico", {{32, 0x0000FF}, {16, 0x00FF00}});
    openFile(p);
    EXPECT_TRUE(platform.messages.empty());
    drawCells({{2, 2}});
    platform.messageAnswers = {MessageAnswer::Yes};
    window->M_F_OverWrite_Click();
    ASSERT_EQ(questions().size(), 1u);
    EXPECT_EQ(questions()[0].buttons, MessageButtons::YesNoCancel);
    EXPECT_FALSE(window->state().modified);
    EXPECT_EQ(readBack(p, false)->images[0].pixels(2, 2), canvas().leftColour);
}

TEST_F(SaveOverReadFile, AnAnimatedCursorNamedCurOpensAnimatedAndSaveKeepsItSo) {
    const std::string p = path("spin.cur");
    writeBytes(
        p, riff({anih(3, 4, 6), table("seq ", {0, 1, 2, 1}),
                 frames({frameResource(0x0000FF, 1, 2), frameResource(0x00FF00), frameResource(0xFF0000)})}));
    openFile(p);
    EXPECT_EQ(window->selectedTab(), 2);
    ASSERT_EQ(document->imageCount, 3);
    ASSERT_EQ(document->stepCount, 4);
    EXPECT_TRUE(platform.messages.empty());
    window->selectTab(1);
    drawCells({{5, 5}});
    platform.messageAnswers = {MessageAnswer::Yes};
    window->M_F_OverWrite_Click();
    EXPECT_FALSE(window->state().modified);
    EXPECT_EQ(document->imageCount, 3) << "nothing was pruned as for an icon";
    const Bytes written = fileBytes(p);
    ASSERT_GE(written.size(), 12u);
    EXPECT_EQ(std::string(written.begin(), written.begin() + 4), "RIFF") << "still an animated cursor";
    const auto back = readBack(p, true);
    EXPECT_EQ(back->imageCount, 3);
    ASSERT_EQ(back->stepCount, 4);
    EXPECT_EQ(back->steps[3].imageIndex, 1);
    EXPECT_EQ(back->images[0].hotspotX, 1);
    EXPECT_EQ(back->images[0].pixels(5, 5), canvas().leftColour);

    // Save as to the same name keeps it animated as well; to a new .cur name the extension decides.
    platform.saveAnswers.push_back(p);
    EXPECT_EQ(window->M_F_NewWrite_Click(), ui::SaveResult::Saved);
    EXPECT_EQ(readBack(p, true)->stepCount, 4);
    platform.saveAnswers.push_back(path("still.cur"));
    EXPECT_EQ(window->M_F_NewWrite_Click(), ui::SaveResult::Saved);
    EXPECT_EQ(fileBytes(path("still.cur"))[2], 2) << "a cursor file";
}

TEST_F(SaveOverReadFile, AnIconNamedAniOpensAsAnIconAndSaveKeepsItAnIcon) {
    const std::string p = path("plain.ani");
    writeBytes(p, iconFileBytes(1, {twoColourEntry(32, 0x0000FF), twoColourEntry(16, 0x00FF00)}));
    openFile(p);
    EXPECT_EQ(window->selectedTab(), 1);
    ASSERT_EQ(document->imageCount, 2);
    drawCells({{4, 4}});
    platform.messageAnswers = {MessageAnswer::Yes};
    window->M_F_OverWrite_Click();
    const Bytes written = fileBytes(p);
    ASSERT_GE(written.size(), 6u);
    EXPECT_EQ(written[0], 0);
    EXPECT_EQ(written[2], 1) << "still an icon file";
    EXPECT_EQ(readBack(p, false)->images[0].pixels(4, 4), canvas().leftColour);
}

TEST_F(SaveOverReadFile, SaveAsAppendsTheExtensionOfTheChosenFilter) {
    drawCells({{1, 1}});
    platform.saveAnswers.push_back(path("pointer"));
    platform.saveFilterAnswers.push_back(2);
    ASSERT_EQ(window->M_F_NewWrite_Click(), ui::SaveResult::Saved);
    EXPECT_EQ(document->filePath, path("pointer.cur"));
    EXPECT_EQ(fileBytes(path("pointer.cur"))[2], 2) << "a cursor file";

    platform.saveAnswers.push_back(path("moving"));
    platform.saveFilterAnswers.push_back(3);
    ASSERT_EQ(window->M_F_NewWrite_Click(), ui::SaveResult::Saved);
    EXPECT_EQ(document->filePath, path("moving.ani"));
    EXPECT_EQ(readBack(path("moving.ani"), true)->imageCount, 1);

    // A name with one of the three extensions keeps it, whatever the filter.
    platform.saveAnswers.push_back(path("named.ico"));
    platform.saveFilterAnswers.push_back(3);
    ASSERT_EQ(window->M_F_NewWrite_Click(), ui::SaveResult::Saved);
    EXPECT_EQ(document->filePath, path("named.ico"));
}

TEST_F(SaveOverReadFile, ADocumentNamedAfterAPictureProposesItsBaseNameAndSavesItsAnimation) {
    const std::string picture = path("spin.bmp");
    QImage bmp(40, 30, QImage::Format_RGB32);
    bmp.fill(Qt::blue);
    ASSERT_TRUE(bmp.save(QString::fromStdString(picture), "BMP"));
    platform.pictureDialogAnswers.push_back(picture);
    window->M_F_JOpen_Click();
    ASSERT_EQ(document->filePath, picture);
    list().cmdImgNew_Click();
    window->selectTab(2);
    ASSERT_EQ(document->stepCount, 2);
    // The user presses Enter on what the dialog proposes.
    platform.saveAnswers.push_back(path("spin"));
    ASSERT_EQ(window->M_F_NewWrite_Click(), ui::SaveResult::Saved);
    ASSERT_EQ(platform.saveRequests.size(), 1u);
    EXPECT_EQ(platform.saveRequests[0].initialName, path("spin"));
    EXPECT_EQ(platform.saveRequests[0].filterIndex, 3);
    EXPECT_EQ(document->filePath, path("spin.ani"));
    EXPECT_EQ(document->imageCount, 2) << "nothing went into the bin";
    EXPECT_EQ(readBack(path("spin.ani"), true)->stepCount, 2);
}

TEST_F(SaveOverReadFile, TheIndicatorShowsTheDepthsTheWriterSet) {
    // A full-colour 48 x 48 image: the animated cursor writer reduces it to 256 colours.
    find<QComboBox>("cbImgSiz")->setCurrentIndex(2);
    list().cmdImgNew_Click();
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x)
            image(1).pixels(x, y) = makeColour(x * 5, y * 5, (x * y) % 256);
    list().pImg_Click(0);
    list().pImg_Click(1);
    ASSERT_EQ(text("lWIi_0"), "Full");
    platform.saveAnswers.push_back(path("reduced.ani"));
    ASSERT_EQ(window->M_F_NewWrite_Click(), ui::SaveResult::Saved);
    EXPECT_EQ(image(1).depth, 256);
    EXPECT_EQ(text("lWIi_0"), "256");
    EXPECT_TRUE(action("M_E_Gen")->isEnabled());
    // The canvas and the slot show the reduced pixels, so the next edit does not bring the old ones back.
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x)
            ASSERT_EQ(canvas().pixel(x, y), image(1).pixels(x, y)) << x << "," << y;
    EXPECT_EQ(ui::fromQRgb(list().slot(1).picture().pixel(47, 47)), image(1).pixels(47, 47));

    // A blank new image shows "???" until its colours are counted; an icon save counts them.
    list().cmdImgNew_Click();
    ASSERT_EQ(text("lWIi_0"), "???");
    drawCells({{0, 0}});
    platform.saveAnswers.push_back(path("counted.ico"));
    ASSERT_EQ(window->M_F_NewWrite_Click(), ui::SaveResult::Saved);
    const int selected = window->state().selectedImage;
    EXPECT_EQ(image(selected).depth, 2);
    EXPECT_EQ(text("lWIi_0"), "2");
    EXPECT_FALSE(action("M_E_Gen")->isEnabled()) << "two colours cannot be reduced";
}

} // namespace vantle::test

namespace vantle::test {

TEST_F(SaveOverReadFile, ASoftEdgedCursorIsReadInPartSoSaveAsksAndNoKeepsItsBytes) {
    BitmapInput soft;
    soft.width = soft.height = 32;
    soft.bitCount = 32;
    soft.valueAt = [](int x, int) { return x < 16 ? 0x0000FF : 0x000000; };
    soft.alphaAt = [](int x, int) { return x < 4 ? 0 : x < 8 ? 96 : 255; }; // a soft edge of four columns
    const std::string p = path("soft.cur");
    writeBytes(p, iconFileBytes(2, {entryFor(soft, 3, 3)}));
    openFile(p);
    ASSERT_EQ(document->imageCount, 1);
    EXPECT_TRUE(platform.messages.empty()) << "nothing is said on opening";
    const Bytes original = fileBytes(p);
    drawCells({{20, 20}});

    platform.messageAnswers = {MessageAnswer::Yes, MessageAnswer::No};
    window->M_F_OverWrite_Click();
    ASSERT_EQ(questions().size(), 2u);
    EXPECT_EQ(questions()[1].text, p + std::string(kPartlyReadText));
    EXPECT_EQ(questions()[1].defaultAnswer, MessageAnswer::No);
    EXPECT_EQ(fileBytes(p), original);
    EXPECT_TRUE(window->state().modified);

    // Save as to its path asks the same; to another path it does not.
    platform.messages.clear();
    platform.saveAnswers.push_back(p);
    platform.messageAnswers = {MessageAnswer::No};
    EXPECT_EQ(window->M_F_NewWrite_Click(), ui::SaveResult::Cancelled);
    ASSERT_EQ(questions().size(), 1u);
    EXPECT_EQ(questions()[0].text, p + std::string(kPartlyReadText));
    EXPECT_EQ(fileBytes(p), original);
}

TEST_F(SaveOverReadFile, MarkerColoursOfFilesAndPicturesStayOpaqueThroughSaveAndExport) {
    const MarkerColours& m = settings.markers;
    // Columns: the two markers' colours, a colour one step from each, and (bottom row) a masked pixel.
    const std::array<colourRGB, 4> colours{m.transparent, m.inverted, m.transparent ^ 1, m.inverted ^ 1};
    auto nearOpaque = [&](colourRGB got, colourRGB colour) {
        const int d = std::abs(redOf(got) - redOf(colour)) + std::abs(greenOf(got) - greenOf(colour)) +
                      std::abs(blueOf(got) - blueOf(colour));
        return got != m.transparent && got != m.inverted && d <= 1;
    };
    BitmapInput direct;
    direct.width = direct.height = 32;
    direct.bitCount = 24;
    direct.maskAt = [](int x, int y) { return y == 31 && x == 0; };
    direct.valueAt = [&](int x, int y) { return y == 31 && x == 0 ? kBlack : colours[x % 4]; };
    const std::string p = path("greys.cur");
    writeBytes(p, iconFileBytes(2, {entryFor(direct)}));
    openFile(p);
    ASSERT_EQ(document->imageCount, 1);
    // A picture with squares of both colours becomes a second image through the picture panel.
    QImage picture(32, 32, QImage::Format_RGB32);
    picture.fill(QColor(0x20, 0x40, 0x80));
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            picture.setPixel(x, y, ui::toQRgb(m.transparent));
            picture.setPixel(x + 20, y + 20, ui::toQRgb(m.inverted));
        }
    ASSERT_TRUE(picture.save(QString::fromStdString(path("greys.png"))));
    platform.openAnswers.push_back(path("greys.png"));
    list().cmdImgApd_Click();
    window->picturePanel().pBmpP_Click(0);
    window->picturePanel().cmdBIn_Click();
    ASSERT_EQ(document->imageCount, 2);

    // Exported as Xcursor (the first image of each size): no inverted pixel to speak of, none transparent.
    window->selectTab(1);
    platform.messages.clear();
    platform.saveAnswers.push_back(path("greys"));
    window->M_F_XcurWrite_Click();
    EXPECT_TRUE(platform.messages.empty()) << "no inverted pixel the cursor never had";
    IconDocument exported;
    exported.clearImages(m.transparent);
    RecordingMessages messages;
    ReadContext context{messages, m};
    readXcursorFile(exported, path("greys"), context);
    ASSERT_EQ(exported.images[1].width, 32);
    for (int y = 0; y < 31; ++y)
        for (int x = 0; x < 32; ++x)
            ASSERT_TRUE(nearOpaque(exported.images[1].pixels(x, y), colours[static_cast<std::size_t>(x % 4)]))
                << x << "," << y << ": " << exported.images[1].pixels(x, y);
    EXPECT_EQ(exported.images[1].pixels(0, 31), m.transparent);

    // The user's own markers stay markers.
    list().pImg_Click(0);
    canvas().leftColour = m.transparent;
    drawCells({{5, 5}});
    canvas().leftColour = m.inverted;
    drawCells({{6, 5}});

    auto check = [&](const IconDocument& d, const std::string& where) {
        SCOPED_TRACE(where);
        const IconImage& file = d.images[0];
        for (int y = 0; y < 31; ++y) {
            for (int x = 0; x < 32; ++x) {
                if (y == 5 && (x == 5 || x == 6))
                    continue;
                ASSERT_TRUE(nearOpaque(file.pixels(x, y), colours[static_cast<std::size_t>(x % 4)]))
                    << x << "," << y << ": " << file.pixels(x, y);
            }
        }
        EXPECT_EQ(file.pixels(0, 31), m.transparent) << "the file's own transparent pixel";
        EXPECT_EQ(file.pixels(5, 5), m.transparent) << "drawn with the transparent marker";
        EXPECT_EQ(file.pixels(6, 5), m.inverted) << "drawn with the inverted marker";
        const IconImage& fromPicture = d.images[1];
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                ASSERT_TRUE(nearOpaque(fromPicture.pixels(x, y), ui::fromQRgb(picture.pixel(x, y))))
                    << x << "," << y << ": " << fromPicture.pixels(x, y);
    };
    window->CommitEditedImage();
    check(*document, "opened");

    // Saved as an animated cursor (which keeps both images) and read back.
    platform.saveAnswers.push_back(path("greys.ani"));
    ASSERT_EQ(window->M_F_NewWrite_Click(), ui::SaveResult::Saved);
    check(*readBack(path("greys.ani"), true), "saved");
}

} // namespace vantle::test
