#include "theme/NameRoles.h"

#include <algorithm>

namespace vantle::theme {

namespace {

using Key = std::string_view;

// Names of Windows pack files and of the scheme dialog's entries, as keys (see nameKey). The names of
// the theme itself and the registry value names are recognised as well, from their own tables.
constexpr std::array<Key, 6> kArrowKeys = {"normal",   "normalselect", "select",
                                           "standard", "std",          "arrowselect"};
constexpr std::array<Key, 5> kHelpKeys = {"helpsel", "helpselect", "question", "whatsthis", "helparrow"};
constexpr std::array<Key, 8> kAppStartingKeys = {
    "working", "workinginbackground", "background", "work", "appstart", "appstar", "busyarrow", "progress"};
constexpr std::array<Key, 4> kWaitKeys = {"busy", "hourglass", "clock", "wait"};
constexpr std::array<Key, 3> kCrosshairKeys = {"precision", "precisionselect", "cross"};
constexpr std::array<Key, 4> kIBeamKeys = {"text", "textselect", "beam", "ibeam"};
constexpr std::array<Key, 5> kNWPenKeys = {"pen", "nwpen", "handwriting", "handwrite", "writing"};
constexpr std::array<Key, 5> kNoKeys = {"unavailable", "unavail", "notallowed", "unavailableselect",
                                        "nodrop"};
constexpr std::array<Key, 8> kSizeNSKeys = {"vert",   "vertical", "verticalresize", "ns",
                                            "sizens", "size4",    "sizever",        "vresize"};
constexpr std::array<Key, 9> kSizeWEKeys = {"horz",   "horiz", "horizontal", "horizontalresize", "ew",
                                            "sizewe", "we",    "size3",      "sizehor"};
constexpr std::array<Key, 8> kSizeNWSEKeys = {"dgn1", "diag1",    "diagonal1", "diagonalresize1",
                                              "nwse", "sizenwse", "size1",     "fdiag"};
constexpr std::array<Key, 8> kSizeNESWKeys = {"dgn2", "diag2",    "diagonal2", "diagonalresize2",
                                              "nesw", "sizenesw", "size2",     "bdiag"};
constexpr std::array<Key, 4> kSizeAllKeys = {"move", "sizeall", "moveselect", "allscroll"};
constexpr std::array<Key, 6> kUpArrowKeys = {"alternate", "alternateselect", "alt", "uparrow",
                                             "up",        "upselect"};
constexpr std::array<Key, 4> kHandKeys = {"link", "linkselect", "hand2", "pointinghand"};
constexpr std::array<Key, 4> kPinKeys = {"pin", "location", "locationselect", "pinselect"};
constexpr std::array<Key, 2> kPersonKeys = {"person", "personselect"};

const std::array<std::span<const Key>, kRoleCount> kWindowsKeys = {
    kArrowKeys,   kHelpKeys,    kAppStartingKeys, kWaitKeys,   kCrosshairKeys, kIBeamKeys,
    kNWPenKeys,   kNoKeys,      kSizeNSKeys,      kSizeWEKeys, kSizeNWSEKeys,  kSizeNESWKeys,
    kSizeAllKeys, kUpArrowKeys, kHandKeys,        kPinKeys,    kPersonKeys,
};

struct Ambiguous {
    Key key;
    std::array<CursorRole, 2> roles; // the likelier first
};

constexpr std::array<Ambiguous, 2> kAmbiguous = {{
    {"pointer", {CursorRole::Arrow, CursorRole::Hand}},
    {"hand", {CursorRole::Hand, CursorRole::NWPen}},
}};

bool isAlnum(char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

bool allDigits(std::string_view word) {
    return !word.empty() &&
           std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool roleHasKey(CursorRole role, std::string_view key) {
    const auto& keys = kWindowsKeys[static_cast<std::size_t>(roleIndex(role))];
    if (std::find(keys.begin(), keys.end(), key) != keys.end())
        return true;
    const RoleNames& names = roleNames(role);
    if (nameKey(names.windowsName) == key || nameKey(names.fileName) == key)
        return true;
    return std::any_of(names.links.begin(), names.links.end(),
                       [key](std::string_view link) { return nameKey(link) == key; });
}

} // namespace

std::string nameKey(std::string_view baseName) {
    // Words: runs of letters and digits between any other characters.
    const std::string lower = asciiLower(baseName);
    std::vector<std::string_view> words;
    std::size_t at = 0;
    while (at < lower.size()) {
        while (at < lower.size() && !isAlnum(lower[at]))
            ++at;
        const std::size_t start = at;
        while (at < lower.size() && isAlnum(lower[at]))
            ++at;
        if (at > start)
            words.emplace_back(lower.data() + start, at - start);
    }
    while (words.size() > 1 && (allDigits(words.front()) || words.front() == "aero"))
        words.erase(words.begin());
    while (words.size() > 1 && (words.back() == "r" || words.back() == "l" || words.back() == "m" ||
                                words.back() == "xl" || words.back() == "cur" || words.back() == "ani"))
        words.pop_back();
    std::string key;
    for (std::string_view word : words)
        if (words.size() == 1 || (word != "select" && word != "resize" && word != "cursor"))
            key += word;
    if (key.empty()) // every word was a filler: keep them
        for (std::string_view word : words)
            key += word;
    return key;
}

std::vector<CursorRole> rolesForBaseName(std::string_view baseName) {
    const std::string key = nameKey(baseName);
    if (key.empty())
        return {};
    // "wait_m", "busy_l": the busy cursor with a mark, which packs use for "working in background"; the
    // busy cursor itself when another file is.
    const std::string lower = asciiLower(baseName);
    if ((key == "wait" || key == "busy") && lower.size() > key.size() + 1 &&
        (lower.ends_with("_m") || lower.ends_with("_l") || lower.ends_with("-m") || lower.ends_with("-l")))
        return {CursorRole::AppStarting, CursorRole::Wait};
    for (const Ambiguous& a : kAmbiguous)
        if (a.key == key)
            return {a.roles.begin(), a.roles.end()};
    for (CursorRole role : kAllRoles)
        if (roleHasKey(role, key))
            return {role};
    return {};
}

NameAssignment assignRolesByName(std::span<const std::string> paths) {
    NameAssignment result;
    std::vector<std::vector<CursorRole>> candidates;
    candidates.reserve(paths.size());
    for (const std::string& path : paths)
        candidates.push_back(rolesForBaseName(baseNameOf(path)));

    auto holder = [&](CursorRole role) { return fileNameOf(paths[*result.inputOfRole[roleIndex(role)]]); };
    // Clear names first, so that an ambiguous name only takes what no clear name asks for.
    for (std::size_t i = 0; i < paths.size(); ++i) {
        if (candidates[i].size() != 1)
            continue;
        auto& slot = result.inputOfRole[static_cast<std::size_t>(roleIndex(candidates[i][0]))];
        if (slot) {
            result.notes.push_back(
                fileNameOf(paths[i]) + ": also a " + std::string(roleNames(candidates[i][0]).windowsName) +
                " cursor; " + holder(candidates[i][0]) + " came first and keeps it, this file is left out");
            result.leftOut.push_back(i);
        } else {
            slot = i;
        }
    }
    for (std::size_t i = 0; i < paths.size(); ++i) {
        if (candidates[i].size() < 2)
            continue;
        const std::string name = fileNameOf(paths[i]);
        std::string meanings;
        for (CursorRole role : candidates[i])
            meanings.append(meanings.empty() ? "" : " or ").append(roleNames(role).windowsName);
        const auto freeRole = std::find_if(candidates[i].begin(), candidates[i].end(), [&](CursorRole role) {
            return !result.inputOfRole[static_cast<std::size_t>(roleIndex(role))];
        });
        if (freeRole == candidates[i].end()) {
            result.notes.push_back(name + ": the name may mean " + meanings +
                                   "; all are taken by other files, this file is left out");
            result.leftOut.push_back(i);
            continue;
        }
        std::string why;
        for (auto r = candidates[i].begin(); r != freeRole; ++r)
            why.append(why.empty() ? " (" : ", ")
                .append(roleNames(*r).windowsName)
                .append(" is ")
                .append(holder(*r));
        result.inputOfRole[static_cast<std::size_t>(roleIndex(*freeRole))] = i;
        result.notes.push_back(name + ": the name may mean " + meanings + "; taken as " +
                               std::string(roleNames(*freeRole).windowsName) +
                               (why.empty() ? "" : why + ")"));
    }
    // Names of no role are written as themselves, each name once.
    for (std::size_t i = 0; i < paths.size(); ++i) {
        if (!candidates[i].empty())
            continue;
        const std::string base = baseNameOf(paths[i]);
        const auto earlier = std::find_if(result.ownNamed.begin(), result.ownNamed.end(),
                                          [&](std::size_t k) { return baseNameOf(paths[k]) == base; });
        if (earlier != result.ownNamed.end()) {
            result.notes.push_back(fileNameOf(paths[i]) + ": the name '" + base + "' is taken by " +
                                   fileNameOf(paths[*earlier]) + ", this file is left out");
            result.leftOut.push_back(i);
        } else {
            result.ownNamed.push_back(i);
        }
    }
    std::sort(result.leftOut.begin(), result.leftOut.end());
    return result;
}

} // namespace vantle::theme
