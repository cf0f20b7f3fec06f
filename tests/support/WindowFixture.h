#pragma once
// The real main window on the offscreen platform, driven through the scripted fake platform and found by
// object names. Each test gets a fresh document, fresh settings and a temporary folder.

#include "app/BinPanel.h"
#include "app/EditPanel.h"
#include "app/ImageListPanel.h"
#include "app/MainWindow.h"
#include "app/PictureBoxWidget.h"
#include "app/PropertyPanel.h"
#include "app/QtColours.h"
#include "model/IconFileWriter.h"
#include "support/FakePlatform.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QScrollBar>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace vantle::test {

class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override { open(""); }

    // Shows image 0 again after a test changed it in the document, and derives its depth as a click does.
    void reshowFirst() {
        window->ShowImageInEditor(0);
        list().pImg_Click(0);
    }

    // (Re)creates the window as the program starts it, with commandLine as the document to open.
    void open(const std::string& commandLine) {
        window.reset();
        document = std::make_unique<IconDocument>();
        window = std::make_unique<ui::frmICON>(platform, *document, settings, folder.path().toStdString(),
                                               commandLine);
        window->show();
    }

    template <typename T = QWidget> T* find(const char* name) const {
        T* w = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << "no " << name;
        return w;
    }
    QAction* action(const char* name) const { return window->action(name); }
    std::string text(const char* name) const { return find<QLabel>(name)->text().toStdString(); }
    std::string caption() const { return window->properties().title().toStdString(); }
    std::string path(const std::string& name) const {
        return folder.filePath(QString::fromStdString(name)).toStdString();
    }

    ui::ImageListPanel& list() const { return window->imageList(); }
    // The user moves the image list's scroll bar.
    void scrollList(int value) const { find<QScrollBar>("vsBerImg")->setValue(value); }
    ui::BinPanel& bin() const { return window->bin(); }
    EditCanvas& canvas() const { return window->editPanel().canvas(); }
    IconImage& image(int i) const { return document->images[static_cast<std::size_t>(i)]; }

    // An icon file of the given images (size, colour of every pixel), written by our own writer.
    std::string writeIcon(const std::string& name, const std::vector<std::pair<int, colourRGB>>& images) {
        IconDocument d;
        d.clearImages(settings.markers.transparent);
        for (std::size_t i = 0; i < images.size(); ++i) {
            IconImage& im = d.images[i];
            im.width = im.height = static_cast<std::int16_t>(images[i].first);
            im.pixels.fill(images[i].second);
            // one distinct pixel so images of one colour still differ
            im.pixels(0, 0) = static_cast<colourRGB>(0x000100 * (i + 1));
        }
        d.imageCount = static_cast<std::int16_t>(images.size());
        // Every image gets its own size and depth key only if it differs; the writer keeps the first of each.
        const std::vector<std::uint8_t> bytes = buildIconFile(d, 1, settings.markers);
        const std::string p = path(name);
        std::ofstream(p, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return p;
    }

    // Opens a file through File, Open with the dialog answering path.
    void openFile(const std::string& p) {
        platform.openAnswers.push_back(p);
        window->M_F_Open_Click();
    }

    // Press, moves and release on canvas cells (image coordinates), with the left button.
    void drawCells(const std::vector<Cell>& cells, MouseButton button = MouseButton::Left) {
        auto at = [&](Cell c) {
            return std::pair{c.x * canvas().cellWidth + 2.0, c.y * canvas().cellHeight + 2.0};
        };
        auto [px, py] = at(cells.front());
        canvas().press(button, px, py);
        for (std::size_t i = 1; i < cells.size(); ++i) {
            auto [mx, my] = at(cells[i]);
            canvas().move(mx, my);
        }
        auto [rx, ry] = at(cells.back());
        canvas().release(rx, ry);
    }

    QTemporaryDir folder;
    FakePlatform platform;
    std::unique_ptr<IconDocument> document;
    AppSettings settings;
    std::unique_ptr<ui::frmICON> window;
};

} // namespace vantle::test
