#pragma once
// The real window on the offscreen platform with a scripted platform, a file opened from its command
// line, shown and its events processed: what the window benchmarks time.

#include "app/MainWindow.h"
#include "support/FakePlatform.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace vantle::bench {

struct BenchWindow {
    test::FakePlatform platform;
    IconDocument document;
    AppSettings settings;
    std::unique_ptr<ui::frmICON> window;

    explicit BenchWindow(const std::string& file, bool trueColour = false) {
        settings.trueColour = trueColour;
        window = std::make_unique<ui::frmICON>(platform, document, settings, "/tmp", file);
        window->show();
        QCoreApplication::processEvents();
    }
    // Save as the given file through the scripted dialog.
    bool save(const std::string& out) {
        platform.saveAnswers.push_back(out);
        return window->M_F_NewWrite_Click() == ui::SaveResult::Saved;
    }
};

// Times opening file in a new window, once per iteration (closing it is not timed); returns how many
// images the last window's document held.
inline int timeOpening(benchmark::State& state, const std::string& file, bool trueColour) {
    int images = 0;
    for (auto _ : state) {
        BenchWindow w(file, trueColour);
        images = w.document.imageCount;
        state.PauseTiming();
        w.window.reset();
        state.ResumeTiming();
    }
    return images;
}

} // namespace vantle::bench
