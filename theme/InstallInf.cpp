#include "theme/InstallInf.h"

#include "theme/ExtraCursors.h"
#include "theme/InfText.h"

#include <algorithm>
#include <map>
#include <set>

namespace vantle::theme {

namespace {

// A field longer than this after substitution is cut: a scheme line of 17 long paths stays far below.
constexpr std::size_t kMaxFieldBytes = 1 << 16;

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && isSpace(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isSpace(s.back()))
        s.remove_suffix(1);
    return s;
}

class Notes {
  public:
    explicit Notes(std::vector<std::string>& notes) : notes_(notes) {}
    void add(std::string note) {
        if (notes_.size() + 1 < kMaxInfNotes)
            notes_.push_back(std::move(note));
        else if (notes_.size() + 1 == kMaxInfNotes)
            notes_.push_back("further notes left out");
    }

  private:
    std::vector<std::string>& notes_;
};

// The logical lines of the text: comments (";" outside quotes) removed, lines ending in "\" outside
// quotes joined with the next, trailing blanks removed.
std::vector<std::string> logicalLines(std::string_view text) {
    std::vector<std::string> lines;
    std::string current;
    bool continued = false;
    std::size_t at = 0;
    while (at <= text.size()) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        const std::string_view physical = text.substr(at, end - at);
        at = end + 1;
        if (!continued)
            current.clear();
        bool quoted = false;
        std::size_t kept = physical.size();
        for (std::size_t i = 0; i < physical.size(); ++i) {
            if (physical[i] == '"')
                quoted = !quoted;
            else if (physical[i] == ';' && !quoted) {
                kept = i;
                break;
            }
        }
        std::string_view content = physical.substr(0, kept);
        while (!content.empty() && isSpace(content.back()))
            content.remove_suffix(1);
        continued = !quoted && !content.empty() && content.back() == '\\';
        if (continued)
            content.remove_suffix(1);
        current += content;
        if (!continued)
            lines.push_back(std::move(current));
    }
    if (continued)
        lines.push_back(std::move(current));
    return lines;
}

// Splits at `separator` outside quotes.
std::vector<std::string_view> splitFields(std::string_view line, char separator) {
    std::vector<std::string_view> fields;
    bool quoted = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"')
            quoted = !quoted;
        else if (line[i] == separator && !quoted) {
            fields.push_back(line.substr(start, i - start));
            start = i + 1;
        }
    }
    fields.push_back(line.substr(start));
    return fields;
}

using Strings = std::map<std::string, std::string>; // keys in lower case

// A field's value: blanks around it removed, quotes removed ("" inside quotes is one quote), and with
// `strings`, %key% replaced by its [Strings] value and %% by %. An unknown %key% (%10%, %SystemRoot%)
// stays as written.
std::string fieldValue(std::string_view raw, const Strings* strings, bool& cut) {
    raw = trim(raw);
    std::string out;
    bool quoted = false;
    auto append = [&](std::string_view s) {
        if (out.size() + s.size() > kMaxFieldBytes) {
            cut = true;
            s = s.substr(0, kMaxFieldBytes - out.size());
        }
        out += s;
    };
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const char c = raw[i];
        if (c == '"') {
            if (quoted && i + 1 < raw.size() && raw[i + 1] == '"') {
                append("\"");
                ++i;
            } else {
                quoted = !quoted;
            }
        } else if (c == '%' && strings != nullptr) {
            const std::size_t close = raw.find('%', i + 1);
            if (close == std::string_view::npos) {
                append("%");
            } else if (close == i + 1) {
                append("%");
                i = close;
            } else {
                const std::string_view key = raw.substr(i + 1, close - i - 1);
                const auto found = strings->find(asciiLower(key));
                append(found != strings->end() ? std::string_view(found->second)
                                               : raw.substr(i, close - i + 1));
                i = close;
            }
        } else {
            append(std::string_view(&raw[i], 1));
        }
    }
    return out;
}

struct Section {
    std::string name; // as written
    std::vector<std::string> lines;
};

struct Sections {
    std::vector<Section> list;                 // in the order they first appear
    std::map<std::string, std::size_t> byName; // lower-case name -> index into list

    const Section* find(const std::string& lowerName) const {
        const auto it = byName.find(lowerName);
        return it == byName.end() ? nullptr : &list[it->second];
    }
};

Sections sectionsOf(const std::vector<std::string>& lines) {
    Sections sections;
    Section* current = nullptr;
    for (const std::string& line : lines) {
        const std::string_view content = trim(line);
        if (content.empty())
            continue;
        if (content.front() == '[') {
            const std::size_t close = content.find(']');
            const std::string name(trim(
                content.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1)));
            const auto [it, added] = sections.byName.emplace(asciiLower(name), sections.list.size());
            if (added)
                sections.list.push_back({name, {}});
            current = &sections.list[it->second];
            continue;
        }
        if (current != nullptr)
            current->lines.emplace_back(content);
    }
    return sections;
}

bool isStringsSection(const std::string& lowerName) {
    return lowerName == "strings" || lowerName.starts_with("strings.");
}

bool isDefaultInstall(const std::string& lowerName) {
    return lowerName == "defaultinstall" || lowerName.starts_with("defaultinstall.");
}

// [Strings] first, then the localised [Strings.xxxx] sections for keys [Strings] lacks.
Strings stringsOf(const Sections& sections, bool& cut) {
    Strings strings;
    std::vector<const Section*> order;
    if (const Section* plain = sections.find("strings"))
        order.push_back(plain);
    for (const auto& [name, index] : sections.byName)
        if (name != "strings" && isStringsSection(name))
            order.push_back(&sections.list[index]);
    for (const Section* section : order)
        for (const std::string& line : section->lines) {
            const std::vector<std::string_view> parts = splitFields(line, '=');
            if (parts.size() < 2)
                continue;
            const std::string key = asciiLower(fieldValue(parts[0], nullptr, cut));
            if (key.empty())
                continue;
            // The value is everything after the first "=".
            const std::string_view value = std::string_view(line).substr(parts[0].size() + 1);
            strings.emplace(key, fieldValue(value, nullptr, cut));
        }
    return strings;
}

// The registry key of a line in one form: lower case, "\" between parts, none at the ends.
std::string keyForm(std::string_view key) {
    std::string out;
    for (char c : asciiLower(key)) {
        if (c == '/')
            c = '\\';
        if (c == '\\' && (out.empty() || out.back() == '\\'))
            continue;
        out += c;
    }
    while (!out.empty() && out.back() == '\\')
        out.pop_back();
    return out;
}

bool endsWithKey(const std::string& key, std::string_view tail) {
    return key == tail ||
           (key.size() > tail.size() && key.ends_with(tail) && key[key.size() - tail.size() - 1] == '\\');
}

// The file name of a path as a scheme names it: its last component, without blanks around it.
std::string schemeFileName(std::string_view path) {
    path = trim(path);
    const std::size_t slash = path.find_last_of("\\/");
    if (slash != std::string_view::npos)
        path = path.substr(slash + 1);
    return std::string(trim(path));
}

// The AddReg sections [DefaultInstall] (or a decorated [DefaultInstall.NT...]) names, each once, in order.
std::vector<std::string> addRegSections(const Sections& sections, const Strings& strings, bool& cut) {
    std::vector<std::string> names;
    std::set<std::string> seen;
    for (const Section& section : sections.list) {
        if (!isDefaultInstall(asciiLower(section.name)))
            continue;
        for (const std::string& line : section.lines) {
            const std::vector<std::string_view> parts = splitFields(line, '=');
            if (parts.size() < 2 || asciiLower(trim(parts[0])) != "addreg")
                continue;
            for (std::string_view item :
                 splitFields(std::string_view(line).substr(parts[0].size() + 1), ',')) {
                std::string name = asciiLower(fieldValue(item, &strings, cut));
                if (!name.empty() && seen.insert(name).second)
                    names.push_back(std::move(name));
            }
        }
    }
    return names;
}

// The sections whose lines are registry values: those [DefaultInstall] names as AddReg, else every section.
std::vector<const Section*> registrySectionsOf(const Sections& sections, const Strings& strings, bool& cut,
                                               Notes& notes) {
    std::vector<const Section*> found;
    for (const std::string& name : addRegSections(sections, strings, cut)) {
        if (const Section* section = sections.find(name))
            found.push_back(section);
        else
            notes.add("[DefaultInstall] names the AddReg section [" + name + "], which the file lacks");
    }
    if (found.empty())
        for (const Section& section : sections.list)
            found.push_back(&section);
    return found;
}

// What the registry lines under Control Panel\Cursors say: the first scheme, each role's own value, the
// default value and the cursors beyond the roles.
struct CursorValues {
    bool schemeFound = false;
    std::string schemeName;
    std::string schemeValue;
    std::array<std::string, kRoleCount> roleValues;
    std::string defaultValue;
};

void takeCursorValue(const std::vector<std::string_view>& raw, const Strings& strings, bool& cut,
                     CursorValues& values, InstallInf& inf, Notes& notes) {
    const std::string key = keyForm(fieldValue(raw[1], &strings, cut));
    const bool scheme = endsWithKey(key, "control panel\\cursors\\schemes");
    if (!scheme && !endsWithKey(key, "control panel\\cursors"))
        return;
    const std::string valueName = fieldValue(raw[2], &strings, cut);
    // The data is the fifth field; a list written without quotes spreads over the fields after it.
    std::string data;
    for (std::size_t i = 4; i < raw.size(); ++i) {
        if (i > 4)
            data += ',';
        data += fieldValue(raw[i], &strings, cut);
    }
    if (scheme) {
        if (!values.schemeFound) {
            values.schemeFound = true;
            values.schemeName = valueName;
            values.schemeValue = std::move(data);
        } else if (valueName != values.schemeName || data != values.schemeValue) {
            notes.add("a second scheme '" + valueName + "' is left out; the first is '" + values.schemeName +
                      "'");
        }
    } else if (valueName.empty()) {
        if (values.defaultValue.empty())
            values.defaultValue = data;
    } else if (const auto role = roleOfRegistryName(valueName)) {
        std::string& slot = values.roleValues[static_cast<std::size_t>(roleIndex(*role))];
        if (slot.empty())
            slot = schemeFileName(data);
    } else if (const auto extra = extraCursorOf(valueName)) {
        const bool named = std::any_of(inf.extraFiles.begin(), inf.extraFiles.end(),
                                       [&](const auto& e) { return e.first == *extra; });
        if (!named && !schemeFileName(data).empty())
            inf.extraFiles.emplace_back(*extra, schemeFileName(data));
    }
}

CursorValues cursorValuesOf(const std::vector<const Section*>& registrySections, const Strings& strings,
                            bool& cut, InstallInf& inf, Notes& notes) {
    CursorValues values;
    for (const Section* section : registrySections) {
        const std::string lowerName = asciiLower(section->name);
        if (isStringsSection(lowerName) || isDefaultInstall(lowerName))
            continue;
        for (const std::string& line : section->lines) {
            const std::vector<std::string_view> raw = splitFields(line, ',');
            if (raw.size() >= 5)
                takeCursorValue(raw, strings, cut, values, inf, notes);
        }
    }
    return values;
}

// The files of the scheme's entries, in role order; returns how many entries it lists.
std::size_t takeSchemeFiles(const std::string& schemeValue, InstallInf& inf, Notes& notes) {
    // The value is unquoted already: every comma separates two entries.
    std::vector<std::string_view> entries;
    for (std::size_t at = 0;;) {
        const std::size_t comma = schemeValue.find(',', at);
        entries.push_back(
            std::string_view(schemeValue).substr(at, comma == std::string::npos ? comma : comma - at));
        if (comma == std::string::npos)
            break;
        at = comma + 1;
    }
    if (entries.size() > static_cast<std::size_t>(kRoleCount))
        notes.add("the scheme lists " + std::to_string(entries.size()) + " cursors; only the first " +
                  std::to_string(kRoleCount) + " have roles");
    for (std::size_t i = 0; i < entries.size() && i < static_cast<std::size_t>(kRoleCount); ++i)
        inf.files[i] = schemeFileName(entries[i]);
    return entries.size();
}

} // namespace

InstallInf parseInstallInf(std::string_view text) {
    InstallInf inf;
    Notes notes(inf.notes);
    const Sections sections = sectionsOf(logicalLines(text));
    bool cut = false;
    const Strings strings = stringsOf(sections, cut);
    const CursorValues values =
        cursorValuesOf(registrySectionsOf(sections, strings, cut, notes), strings, cut, inf, notes);
    if (cut)
        notes.add("a value longer than 65536 bytes was cut");
    inf.schemeName = values.schemeName;
    const std::size_t schemeEntries =
        values.schemeFound ? takeSchemeFiles(values.schemeValue, inf, notes) : 0;
    // A role the scheme leaves empty takes its own value under Control Panel\Cursors.
    for (std::size_t i = 0; i < inf.files.size(); ++i) {
        if (!inf.files[i].empty() || values.roleValues[i].empty())
            continue;
        inf.files[i] = values.roleValues[i];
        if (values.schemeFound && i < schemeEntries)
            notes.add("the scheme has no " + std::string(roleNames(kAllRoles[i]).windowsName) +
                      " cursor; its value under Control Panel\\Cursors gives " + values.roleValues[i]);
    }
    if (inf.schemeName.empty())
        inf.schemeName = std::string(trim(values.defaultValue));
    inf.hasCursors =
        std::any_of(inf.files.begin(), inf.files.end(), [](const std::string& f) { return !f.empty(); });
    return inf;
}

InstallInf parseInstallInfBytes(std::span<const std::uint8_t> bytes) {
    return parseInstallInf(infTextAsUtf8(bytes));
}

} // namespace vantle::theme
