#include "theme/ThemeCursors.h"

#include "model/CursorFiles.h"
#include "theme/CursorScaling.h"
#include "theme/ExtraCursors.h"
#include "theme/LayoutSupport.h"

#include <algorithm>
#include <map>
#include <set>

namespace vantle::theme {

ThemeCursor themeNamesOf(std::span<const CursorRole> roles, const std::string& ownName) {
    ThemeCursor cursor;
    if (roles.empty()) {
        cursor.name = ownName;
        for (std::string_view link : extraCursorLinks(ownName))
            cursor.links.emplace_back(link);
        return cursor;
    }
    cursor.name = std::string(roleNames(roles.front()).fileName);
    for (std::size_t i = 0; i < roles.size(); ++i) {
        const RoleNames& names = roleNames(roles[i]);
        if (i > 0)
            cursor.links.emplace_back(names.fileName);
        for (std::string_view link : names.links)
            cursor.links.emplace_back(link);
    }
    return cursor;
}

bool makeThemeCursor(LosslessCursor cursor, std::span<const int> extraSizes, SizeRule rule,
                     SourceReport& report, ThemeCursor& out) {
    for (CursorFrame& frame : cursor.frames)
        for (CursorImage& image : frame.images)
            if (image.hasInverted())
                report.invertedReplaced += replaceInvertedPixels(image);
    SizePlan plan = planThemeSizes(cursor, extraSizes, rule == SizeRule::Forced);
    SizedCursor sized = cursorAtSizes(std::move(cursor), plan.sizes, Sources::CrispFirst);
    if (sized.cursor.frames.empty()) {
        report.problems.push_back("holds no image");
        return false;
    }
    report.kept = std::move(sized.kept);
    report.made = std::move(sized.made);
    report.skipped = std::move(plan.skipped);
    report.frames = static_cast<int>(sized.cursor.frames.size());
    report.steps = static_cast<int>(sized.cursor.steps.size());
    out = themeNamesOf(report.source.roles, report.source.ownName);
    CursorWriteReport written;
    out.xcursor = buildXcursor(sized.cursor, written);
    out.images = std::move(sized.cursor);
    for (std::string& note : written.notes)
        report.problems.push_back(std::move(note));
    return true;
}

ThemeCursors makeThemeCursors(const CursorPack& pack, std::span<const int> extraSizes, SizeRule rule,
                              CursorFileStream* stream) {
    // Each source on its own, shared out among the cores; then collected in pack order.
    std::vector<SourceReport> reports(pack.sources.size());
    std::vector<ThemeCursor> made(pack.sources.size());
    forEachOnCores(pack.sources.size(), [&](std::size_t i) {
        SourceReport& report = reports[i];
        report.source = pack.sources[i];
        CursorReadReport read;
        std::optional<LosslessCursor> cursor = readCursorFile(report.source.path, read);
        report.partial = !read.complete;
        report.problems = read.problems;
        if (!cursor) {
            if (report.problems.empty())
                report.problems.push_back("cannot be read");
        } else {
            report.written = makeThemeCursor(std::move(*cursor), extraSizes, rule, report, made[i]);
            // The layouts' PNG images too, while the pixels are at hand; then the pixels go, so that
            // the next cursor's reuse their memory.
            if (report.written) {
                encodeLayoutImages(made[i]);
                releaseLayoutPixels(made[i]);
                if (stream != nullptr)
                    stream->write(made[i]);
            }
        }
    });
    ThemeCursors result;
    for (std::size_t i = 0; i < reports.size(); ++i) {
        if (reports[i].written)
            result.cursors.push_back(std::move(made[i]));
        result.reports.push_back(std::move(reports[i]));
    }
    // A pack's own cursor of a name (all-scroll, no-drop) takes it from the role cursor linked under it.
    std::set<std::string> own;
    for (const ThemeCursor& c : result.cursors)
        own.insert(c.name);
    for (ThemeCursor& c : result.cursors)
        std::erase_if(c.links, [&](const std::string& link) { return own.contains(link); });
    return result;
}

std::vector<ThemeCursor> themeNamesOfPack(const CursorPack& pack) {
    std::vector<ThemeCursor> names;
    for (const PackSource& source : pack.sources)
        names.push_back(themeNamesOf(source.roles, source.ownName));
    // As makeThemeCursors drops a link that is another cursor's name; when a source of that name cannot
    // be read the link stays, which is sound only if no other source has it too.
    std::set<std::string> own;
    std::map<std::string, int> linked;
    for (const ThemeCursor& c : names) {
        own.insert(c.name);
        for (const std::string& link : c.links)
            ++linked[link];
    }
    for (ThemeCursor& c : names)
        std::erase_if(c.links,
                      [&](const std::string& link) { return own.contains(link) && linked[link] == 1; });
    return names;
}

ThemeNames themeNamesCount(const std::vector<ThemeCursor>& cursors) {
    ThemeNames names;
    std::set<std::string_view> held;
    for (const ThemeCursor& c : cursors) {
        held.insert(c.name);
        held.insert(c.links.begin(), c.links.end());
    }
    names.own = static_cast<int>(held.size());
    for (std::string_view name : desktopCursorNames())
        if (!held.contains(name))
            names.inherited.push_back(name);
    return names;
}

} // namespace vantle::theme
