// Random use of the real window: seeded sequences of list, bin, tab, scroll, edit, undo, transform, range
// and animation commands, driven by object name as a user would (clicks where the widget is shown, values
// on the scroll bars, menu items while they are reachable). After every command the window must agree
// with itself (the list shows what its scroll value says, the canvas shows the selected image, images the
// command did not touch are unchanged); each sequence ends with Save as (.ani) and Open of that file, and
// the document read back must equal the one the window held. Half the sequences run with the true-colour
// setting on (32-bit images up to 256, frames of several sizes) and any may switch it on or off.
//
// VANTLE_RANDOM_USE_SEQUENCES sets how many sequences run (default 40), VANTLE_RANDOM_USE_SEED the seed of
// the first (sequence i runs with seed + i), VANTLE_RANDOM_USE_LENGTH the commands per sequence (default
// 40), VANTLE_RANDOM_USE_MAX_FAILURES how many failed sequences end the run (default 5). A failure names
// the seed of its sequence and the commands it ran.

#include "support/WindowFixture.h"

#include "RandomUseCompare.h"

#include "app/AnimationPanel.h"
#include "app/EditPanel.h"
#include "app/TrueColourView.h"
#include "editor/RangeSelection.h"
#include "model/AniFileWriter.h"
#include "model/TrueColourDocument.h"
#include "support/RecordingMessages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabBar>
#include <QTest>

#include <cstdlib>
#include <random>
#include <sstream>

namespace vantle::test {

namespace {

int environmentNumber(const char* name, int fallback) {
    const char* text = std::getenv(name);
    if (text == nullptr || *text == '\0')
        return fallback;
    return static_cast<int>(std::strtol(text, nullptr, 10));
}

// How a command moves the images behind the selected one.
enum class ListChange { None, Insert, Delete, NewDocument };

} // namespace

class RandomUseTest : public WindowTest {
  protected:
    // Runs one sequence; returns an empty text, or what went wrong.
    std::string runSequence(unsigned seed, int length) {
        random.seed(seed);
        log.clear();
        settings.trueColour = chance(50);
        if (settings.trueColour)
            log.push_back("true colour");
        open("");
        platform.messages.clear();
        platform.unexpectedQuestions.clear();
        // Half the sequences start from an animated cursor of a few frames with pictures of their own.
        if (chance(50)) {
            const std::string start = settings.trueColour ? writeTrueColourStartFile() : writeStartFile();
            platform.openAnswers.push_back(start);
            log.push_back("open start file");
            window->M_F_Open_Click();
            if (document->filePath != start)
                return "the start file was not opened";
        }
        for (int n = 0; n < length; ++n) {
            const DocumentCopy before = copyOf(*document);
            const int selectedBefore = window->state().selectedImage;
            const ListChange change = runOneCommand();
            std::string problem = checkWindow();
            if (problem.empty() && change != ListChange::NewDocument)
                problem = checkUntouched(before, selectedBefore, change);
            if (problem.empty() && !platform.unexpectedQuestions.empty())
                problem = "unexpected question: " + platform.unexpectedQuestions.front();
            if (!problem.empty())
                return problem;
        }
        return saveAndReopen();
    }

    std::string history() const {
        std::ostringstream out;
        for (std::size_t i = 0; i < log.size(); ++i)
            out << (i == 0 ? "" : "; ") << log[i];
        return out.str();
    }

  private:
    // Frames of 16, 32 or 48 pixels in a few colours and the two markers, hotspots, steps and rates.
    std::string writeStartFile() {
        IconDocument d;
        d.clearImages(settings.markers.transparent);
        const int frames = 2 + below(7);
        const colourRGB colours[] = {kBlack,
                                     kWhite,
                                     0x0000C0,
                                     0x00A000,
                                     0xC08000,
                                     settings.markers.transparent,
                                     settings.markers.inverted};
        for (int i = 0; i < frames; ++i) {
            IconImage& im = d.images[static_cast<std::size_t>(i)];
            im.width = im.height = static_cast<std::int16_t>(16 * (1 + below(3)));
            const int blocks = 1 + below(4);
            for (int y = 0; y < im.height; ++y)
                for (int x = 0; x < im.width; ++x)
                    im.pixels(x, y) = colours[static_cast<std::size_t>(
                        (x * blocks / im.width + y * blocks / im.height + i) % 7)];
            im.hotspotX = static_cast<std::int16_t>(below(im.width));
            im.hotspotY = static_cast<std::int16_t>(below(im.height));
        }
        d.imageCount = static_cast<std::int16_t>(frames);
        d.stepCount = 1 + below(2 * frames);
        for (int s = 0; s < d.stepCount; ++s)
            d.steps[static_cast<std::size_t>(s)] = {below(frames), 1 + below(20)};
        RecordingMessages messages;
        const auto bytes = buildAniFile(d, settings.markers, messages);
        const std::string p = path("start.ani");
        std::ofstream(p, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes->data()), static_cast<std::streamsize>(bytes->size()));
        return p;
    }

    // Frames of one to three sizes from 16 to 256 with soft alpha, hotspots, steps and rates.
    std::string writeTrueColourStartFile() {
        IconDocument d;
        d.clearImages(settings.markers.transparent);
        const int frames = 2 + below(4);
        static constexpr int kSizes[] = {16, 32, 48, 64, 128, 256};
        for (int f = 0; f < frames; ++f) {
            const int sizes = 1 + below(3);
            for (int k = 0; k < sizes; ++k) {
                const int side = kSizes[below(6)];
                CursorImage image = blankTrueColourImage(side);
                for (int y = 0; y < side; ++y)
                    for (int x = 0; x < side; ++x)
                        image.argb[static_cast<std::size_t>(y * side + x)] =
                            static_cast<std::uint32_t>((x + y + f) * 255 / (2 * side)) << 24 |
                            static_cast<std::uint32_t>(x * 255 / side) << 16 |
                            static_cast<std::uint32_t>(f * 40);
                image.hotspotX = below(side);
                image.hotspotY = below(side);
                image.storedBits = chance(50) ? 32 : 0;
                if (!d.growForImage(d.imageCount))
                    return {};
                setTrueColourImage(d.images[static_cast<std::size_t>(d.imageCount)], std::move(image));
                d.images[static_cast<std::size_t>(d.imageCount)].sameFrame = k > 0;
                ++d.imageCount;
            }
        }
        const std::vector<int> frameOf = frameOfImages(d);
        d.stepCount = 1 + below(2 * frames);
        for (int s = 0; s < d.stepCount; ++s) {
            const int frame = below(frames);
            const int lead =
                static_cast<int>(std::find(frameOf.begin(), frameOf.end(), frame) - frameOf.begin());
            d.steps[static_cast<std::size_t>(s)] = {lead, 1 + below(20)};
        }
        const auto bytes = buildTrueColourFile(d, FileKind::AnimatedCursor, settings.markers);
        const std::string p = path("start.ani");
        std::ofstream(p, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return p;
    }

    int below(int n) { return n <= 1 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(random); }
    bool chance(int percent) { return below(100) < percent; }

    bool shown(QWidget* w) const { return w != nullptr && w->isVisible() && w->isEnabled(); }

    void click(QWidget* w, const std::string& name, Qt::MouseButton button = Qt::LeftButton) {
        log.push_back(name);
        QTest::mouseClick(w, button, Qt::NoModifier, w->rect().center());
    }

    bool pressButton(const char* name) {
        auto* b = window->findChild<QPushButton*>(QString::fromLatin1(name));
        if (!shown(b))
            return false;
        log.push_back(name);
        b->click();
        return true;
    }

    bool trigger(const char* name) {
        QAction* a = action(name);
        // Edit menu items are reachable only while the edit tab shows its menu.
        if (a == nullptr || !a->isEnabled() || window->selectedTab() != 1 || !find("fTabS_0")->isVisible())
            return false;
        log.push_back(name);
        a->trigger();
        return true;
    }

    QPoint cellPoint(int x, int y) const {
        return {x * canvas().cellWidth + canvas().cellWidth / 2 + 1,
                y * canvas().cellHeight + canvas().cellHeight / 2 + 1};
    }

    ListChange runOneCommand() {
        const int count = document->imageCount;
        switch (below(25)) {
        case 24: { // the true-colour setting, answering No to the save question
            if (!chance(20))
                return ListChange::None;
            platform.messageAnswers = {MessageAnswer::No};
            const bool refused = settings.trueColour && holdsTrueColour(*document);
            log.push_back(refused ? "M_O_TC (refused)" : "M_O_TC");
            action("M_O_TC")->trigger();
            platform.messageAnswers.clear();
            return refused ? ListChange::None : ListChange::NewDocument;
        }
        case 0:
        case 1: { // click an image slot
            const int s = below(ui::ImageListPanel::kSlots);
            QWidget* w = window->findChild<QWidget*>(QString("pImg_%1").arg(s));
            if (shown(w))
                click(w, "pImg_" + std::to_string(s));
            return ListChange::None;
        }
        case 2: { // scroll the image list
            auto* bar = find<QScrollBar>("vsBerImg");
            if (!shown(bar))
                return ListChange::None;
            const int v = below(bar->maximum() + 1);
            log.push_back("vsBerImg=" + std::to_string(v));
            bar->setValue(v);
            return ListChange::None;
        }
        case 3: { // new image of a size
            const int size = below(find<QComboBox>("cbImgSiz")->count());
            find<QComboBox>("cbImgSiz")->setCurrentIndex(size);
            log.push_back("cbImgSiz=" + std::to_string(size));
            return pressButton("cmdImgNew") && document->imageCount > count ? ListChange::Insert
                                                                            : ListChange::None;
        }
        case 4: {
            find<QComboBox>("cbImgSiz")->setCurrentIndex(below(find<QComboBox>("cbImgSiz")->count()));
            return pressButton("cmdImgIn") && document->imageCount > count ? ListChange::Insert
                                                                           : ListChange::None;
        }
        case 5:
            pressButton("cmdImgUni");
            return ListChange::None;
        case 6:
            return pressButton("cmdImgDel") ? ListChange::Delete : ListChange::None;
        case 7:
        case 22:
        case 23: { // the bin
            switch (below(5)) {
            case 0:
                pressButton("cmdDelList");
                break;
            case 1: {
                const int e = below(bin().entriesInUse());
                QWidget* w = window->findChild<QWidget*>(QString("iDel_%1").arg(e));
                if (shown(w))
                    click(w, "iDel_" + std::to_string(e));
                break;
            }
            case 2:
                return pressButton("cmdDIn") && document->imageCount > count ? ListChange::Insert
                                                                             : ListChange::None;
            case 3:
                pressButton("cmdDUp");
                break;
            default:
                pressButton("cmdCl");
                break;
            }
            return ListChange::None;
        }
        case 8: { // a tab
            auto* tabs = find<QTabBar>("TbSpIcon");
            const int t = below(3);
            log.push_back("tab " + std::to_string(t + 1));
            QTest::mouseClick(tabs, Qt::LeftButton, Qt::NoModifier, tabs->tabRect(t).center());
            return ListChange::None;
        }
        case 9:
        case 10:
        case 11:
            drawOnCanvas();
            return ListChange::None;
        case 12: { // tool, line size or colour
            QWidget* w = nullptr;
            std::string name;
            switch (below(5)) {
            case 4: { // a button's opacity, or how the tools paint a 32-bit image
                const auto spins = window->findChildren<QSpinBox*>("spinOpacity");
                if (chance(30)) {
                    auto* exact = find<QCheckBox>("chkExact");
                    if (shown(exact))
                        click(exact, "chkExact");
                } else if (QSpinBox* spin = spins[below(2)]; shown(spin)) {
                    const int value = chance(30) ? 255 : below(256);
                    log.push_back("spinOpacity=" + std::to_string(value));
                    spin->setValue(value);
                }
                return ListChange::None;
            }
            case 0:
                name = "imgT" + std::to_string(below(10)) + "_1";
                break;
            case 1:
                name = "imgTL" + std::to_string(below(3)) + "_1";
                break;
            case 2:
                name = "lCList_" + std::to_string(below(32));
                break;
            default: {
                const int which = below(3);
                name = which == 0   ? "lClearC"
                       : which == 1 ? "lInverC"
                                    : "optClrChg_" + std::to_string(below(2));
                break;
            }
            }
            w = window->findChild<QWidget*>(QString::fromStdString(name));
            if (shown(w))
                click(w, name, chance(70) ? Qt::LeftButton : Qt::RightButton);
            return ListChange::None;
        }
        case 13: { // undo, redo
            trigger(chance(60) ? "M_E_Bf" : "M_E_Nx");
            return ListChange::None;
        }
        case 14: { // whole-image transforms and shifts
            static const char* const kTransforms[] = {"M_E_To",    "M_E_Mono", "M_E_Gen",  "M_E_TurnR",
                                                      "M_E_TurnL", "M_E_UpDn", "M_E_RtLt", "M_E_To32"};
            if (chance(70)) {
                trigger(kTransforms[below(8)]);
            } else {
                static const char* const kShifts[] = {"CmdEditL", "CmdEditR", "CmdEditU", "CmdEditD"};
                auto* b = window->findChild<QWidget*>(kShifts[below(4)]);
                if (shown(b))
                    click(b, b->objectName().toStdString());
            }
            return ListChange::None;
        }
        case 15: { // range editing
            static const char* const kRange[] = {"M_E_HANI", "M_E_CUT",   "M_E_COPY",
                                                 "M_E_PAST", "M_E_HANIL", "M_E_CL"};
            trigger(kRange[below(6)]);
            return ListChange::None;
        }
        case 16: { // the hotspot
            if (chance(50)) {
                auto* box = find<QLineEdit>(chance(50) ? "tXhs" : "tYhs");
                const int v = below(48);
                log.push_back(box->objectName().toStdString() + "=" + std::to_string(v));
                box->setText(QString::number(v));
            } else {
                pressButton("cmdHSSet");
            }
            return ListChange::None;
        }
        default:
            animationCommand();
            return ListChange::None;
        }
    }

    void drawOnCanvas() {
        if (window->selectedTab() != 1 || !find("fTabS_0")->isVisible())
            return;
        auto* w = find("pIconEdit");
        if (!w->isVisible()) {
            drawOnTrueColour(); // a 32-bit image is shown instead
            return;
        }
        const int size = canvas().width();
        const int x0 = below(size);
        const int y0 = below(size);
        const Qt::MouseButton button = chance(80) ? Qt::LeftButton : Qt::RightButton;
        std::ostringstream name;
        name << "canvas tool " << canvas().tool() << " (" << x0 << "," << y0 << ")";
        QTest::mousePress(w, button, Qt::NoModifier, cellPoint(x0, y0));
        const int moves = below(4);
        int x = x0;
        int y = y0;
        for (int i = 0; i < moves; ++i) {
            x = below(size);
            y = below(size);
            name << "-(" << x << "," << y << ")";
            QTest::mouseMove(w, cellPoint(x, y));
        }
        QTest::mouseRelease(w, button, Qt::NoModifier, cellPoint(x, y));
        log.push_back(name.str());
    }

    // The same on a 32-bit image's view, in image pixels (a range drag when range mode is on).
    void drawOnTrueColour() {
        ui::TrueColourView& view = window->editPanel().trueColourView();
        if (!view.isVisible())
            return;
        const CursorImage& shown = image(window->state().selectedImage).full;
        const auto point = [&](int x, int y) {
            return QPoint(static_cast<int>((x + 0.5) * view.scale()),
                          static_cast<int>((y + 0.5) * view.scale()));
        };
        const Qt::MouseButton button = chance(80) ? Qt::LeftButton : Qt::RightButton;
        int x = below(shown.width);
        int y = below(shown.height);
        std::ostringstream name;
        name << "32-bit tool " << canvas().tool() << " (" << x << "," << y << ")";
        QTest::mousePress(view.widget(), button, Qt::NoModifier, point(x, y));
        for (int i = below(4); i > 0; --i) {
            x = below(shown.width);
            y = below(shown.height);
            name << "-(" << x << "," << y << ")";
            QTest::mouseMove(view.widget(), point(x, y));
        }
        QTest::mouseRelease(view.widget(), button, Qt::NoModifier, point(x, y));
        log.push_back(name.str());
    }

    void animationCommand() {
        if (window->selectedTab() != 2 || !find("fTabS_1")->isVisible())
            return;
        switch (below(5)) {
        case 0: {
            const int s = below(ui::AnimationPanel::kSlots);
            QWidget* w = window->findChild<QWidget*>(QString("iAni_%1").arg(s));
            if (shown(w))
                click(w, "iAni_" + std::to_string(s));
            break;
        }
        case 1:
            pressButton("cmdAniIn");
            break;
        case 2:
            pressButton("cmdAniDel");
            break;
        case 3: {
            const int s = below(ui::AnimationPanel::kSlots);
            auto* box = window->findChild<QLineEdit*>(QString("tAniR_%1").arg(s));
            if (!shown(box))
                break;
            const int rate = 1 + below(30);
            log.push_back("tAniR_" + std::to_string(s) + "=" + std::to_string(rate));
            box->setText(QString::number(rate));
            break;
        }
        default: {
            auto* bar = find<QScrollBar>("vsBerAni");
            if (!shown(bar))
                break;
            const int v = below(bar->maximum() + 1);
            log.push_back("vsBerAni=" + std::to_string(v));
            bar->setValue(v);
            break;
        }
        }
    }

    // The window agrees with itself: the list, the selection, the slots' pictures and the canvas.
    std::string checkWindow() {
        const IconDocument& d = *document;
        const ui::WindowState& st = window->state();
        const ui::ImageListPanel& l = list();
        std::ostringstream out;
        if (d.imageCount < 1)
            return "no image";
        if (action("M_O_TC")->isChecked() != settings.trueColour)
            return "the true-colour item's check mark disagrees with the setting";
        for (int i = 0; i < d.imageCount; ++i)
            if (const IconImage& im = d.images[static_cast<std::size_t>(i)];
                im.trueColour() && (im.full.width != im.width || im.full.height != im.height)) {
                out << "image " << i << " is " << im.width << "x" << im.height << " but its 32-bit pixels "
                    << im.full.width << "x" << im.full.height;
                return out.str();
            }
        if (!settings.trueColour && holdsTrueColour(d))
            return "the setting is off but the document holds 32-bit images or frames of several sizes";
        if (st.selectedImage < 0 || st.selectedImage >= d.imageCount) {
            out << "selected image " << st.selectedImage << " of " << d.imageCount;
            return out.str();
        }
        const auto* bar = find<QScrollBar>("vsBerImg");
        const int top = d.imageCount > 6 ? bar->value() : 0;
        if (d.imageCount > 6 && (bar->maximum() != d.imageCount - 6 || !bar->isEnabled())) {
            out << "scroll bar maximum " << bar->maximum() << " for " << d.imageCount << " images";
            return out.str();
        }
        // The first image of a new document is shown before any slot counts as in use.
        const int inUse = std::min<int>(d.imageCount, 6);
        if (l.slotsInUse != inUse && !(d.imageCount == 1 && l.slotsInUse == 0)) {
            out << l.slotsInUse << " slots in use for " << d.imageCount << " images";
            return out.str();
        }
        for (int s = 0; s < inUse; ++s)
            if (l.slotMap[static_cast<std::size_t>(s)] != top + s) {
                out << "slot " << s << " shows image " << l.slotMap[static_cast<std::size_t>(s)]
                    << " at scroll value " << top;
                return out.str();
            }
        if (st.selectedSlot != st.selectedImage - top) {
            out << "selected slot " << st.selectedSlot << " but image " << st.selectedImage
                << " at scroll value " << top;
            return out.str();
        }
        // Every slot but the selected one (which follows the canvas) shows its image as stored.
        for (int s = 0; s < inUse; ++s) {
            if (s == st.selectedSlot)
                continue;
            const IconImage& image = d.images[static_cast<std::size_t>(top + s)];
            const QImage picture = window->imageList().slot(s).picture();
            if (image.trueColour()) {
                // A 32-bit image shows as a picture over a checkerboard, reduced to fit the slot.
                if (picture.isNull() || std::max(picture.width(), picture.height()) >
                                            std::max<int>({image.width, image.height, 48})) {
                    out << "slot " << s << " shows no fitting picture of 32-bit image " << top + s;
                    return out.str();
                }
                continue;
            }
            if (picture.width() != image.width || picture.height() != image.height) {
                out << "slot " << s << " shows " << picture.width() << "x" << picture.height() << " for a "
                    << image.width << "x" << image.height << " image";
                return out.str();
            }
            for (int y = 0; y < image.height; ++y)
                for (int x = 0; x < image.width; ++x)
                    if (ui::fromQRgb(picture.pixel(x, y)) != image.pixels(x, y)) {
                        out << "slot " << s << " pixel (" << x << "," << y << ") differs from image "
                            << top + s;
                        return out.str();
                    }
        }
        // On the edit tab the canvas shows the selected image; unedited, exactly its pixels.
        if (window->selectedTab() == 1 && find("fTabS_0")->isVisible()) {
            const EditCanvas& c = canvas();
            const IconImage& image = d.images[static_cast<std::size_t>(st.selectedImage)];
            if (window->editPanel().trueColourShown() != image.trueColour()) {
                out << "the edit tab shows " << (image.trueColour() ? "the grid" : "the 32-bit view")
                    << " for image " << st.selectedImage;
                return out.str();
            }
            if (image.trueColour())
                return {};
            if (c.imageIndex() != st.selectedImage || c.width() != image.width) {
                out << "canvas shows image " << c.imageIndex() << " (" << c.width() << ") but image "
                    << st.selectedImage << " (" << image.width << ") is selected";
                return out.str();
            }
            const RangeSelection& sel = window->editPanel().selection();
            if (!c.editBufferChanged && !sel.floating() && !sel.rangeMode())
                for (int y = 0; y < image.height; ++y)
                    for (int x = 0; x < image.width; ++x)
                        if (c.pixel(x, y) != image.pixels(x, y)) {
                            out << "unedited canvas pixel (" << x << "," << y << ") differs from image "
                                << st.selectedImage;
                            return out.str();
                        }
        }
        for (int s = 0; s < d.stepCount; ++s) {
            const int image = d.steps[static_cast<std::size_t>(s)].imageIndex;
            if (image < 0 || image >= d.imageCount) {
                out << "step " << s << " shows image " << image << " of " << d.imageCount;
                return out.str();
            }
        }
        return {};
    }

    // Images the command did not select keep their pixels, size and hotspot; an insertion or deletion
    // behind the selected image moves them by one.
    std::string checkUntouched(const DocumentCopy& before, int selected, ListChange change) {
        const IconDocument& d = *document;
        const int oldCount = static_cast<int>(before.images.size());
        for (int k = 0; k < oldCount; ++k) {
            if (k == selected)
                continue;
            int now = k;
            if (change == ListChange::Insert && k > selected)
                now = k + 1;
            if (change == ListChange::Delete && k > selected)
                now = k - 1;
            if (now >= d.imageCount)
                return "image " + std::to_string(k) + " went missing";
            ImageCopy expected = before.images[static_cast<std::size_t>(k)];
            // The size after a deleted first image of a frame leads that frame now.
            if (change == ListChange::Delete && k == selected + 1)
                expected.sameFrame = d.images[static_cast<std::size_t>(now)].sameFrame;
            if (!(copyOf(d.images[static_cast<std::size_t>(now)]) == expected))
                return "image " + std::to_string(k) + " (now " + std::to_string(now) +
                       ") changed, though the command did not work on it";
        }
        return {};
    }

    std::string saveAndReopen() {
        const std::string file = path("random.ani");
        std::filesystem::remove(file);
        platform.saveAnswers.push_back(file);
        log.push_back("save as");
        LosslessCursor heldCursor;
        if (settings.trueColour) {
            window->CommitEditedImage();
            heldCursor = cursorOfDocument(*document, FileKind::AnimatedCursor, settings.markers);
        }
        if (window->M_F_NewWrite_Click() != ui::SaveResult::Saved)
            return "the save failed";
        if (settings.trueColour) {
            // Every image is written whole: the cursor the document makes is the one read back.
            platform.openAnswers.push_back(file);
            log.push_back("open");
            window->M_F_Open_Click();
            if (document->filePath != file)
                return "the saved file was not opened";
            const std::string difference = differenceBetween(
                heldCursor, cursorOfDocument(*document, FileKind::AnimatedCursor, settings.markers));
            return difference.empty() ? std::string() : "read back: " + difference;
        }
        DocumentCopy held = copyOf(*document);
        // A document without a sequence of its own is saved with every image once, at the common rate.
        if (held.steps.empty())
            for (int i = 0; i < document->imageCount; ++i)
                held.steps.push_back({i, document->defaultRate});
        platform.openAnswers.push_back(file);
        log.push_back("open");
        window->M_F_Open_Click();
        if (!platform.unexpectedQuestions.empty())
            return "unexpected question: " + platform.unexpectedQuestions.front();
        if (document->filePath != file)
            return "the saved file was not opened";
        const std::string difference = differenceBetween(held, copyOf(*document));
        return difference.empty() ? std::string() : "read back: " + difference;
    }

    std::mt19937 random;
    std::vector<std::string> log;
};

TEST_F(RandomUseTest, SeededSequencesKeepTheWindowAndTheSavedFileTrue) {
    const int sequences = environmentNumber("VANTLE_RANDOM_USE_SEQUENCES", 40);
    const int length = environmentNumber("VANTLE_RANDOM_USE_LENGTH", 40);
    const auto seed = static_cast<unsigned>(environmentNumber("VANTLE_RANDOM_USE_SEED", 20240601));
    const int maxFailures = environmentNumber("VANTLE_RANDOM_USE_MAX_FAILURES", 5);
    int failures = 0;
    for (int i = 0; i < sequences && failures < maxFailures; ++i) {
        const unsigned sequenceSeed = seed + static_cast<unsigned>(i);
        const std::string problem = runSequence(sequenceSeed, length);
        if (!problem.empty()) {
            ++failures;
            ADD_FAILURE() << "seed " << sequenceSeed << ": " << problem << "\n  after: " << history();
        }
    }
}

} // namespace vantle::test
