// Install.inf files as real packs write them: their scheme, their [Strings], HKCU and HKLM, several AddReg
// sections, per-role values, any letter case and encoding, and text no pack would write.

#include "theme/InstallInf.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace vantle::theme {
namespace {

using R = CursorRole;

std::string file(const InstallInf& inf, R role) {
    return inf.files[static_cast<std::size_t>(roleIndex(role))];
}

// A pack as they are usually written: the scheme line in one AddReg section, Pin and Person as per-role
// values in a second, every path through [Strings], CRLF line ends. Its handwriting pen is "hand.cur" and
// its unavailable cursor keeps the author's spelling.
constexpr std::string_view kBreezeInf =
    "; Breeze cursors for Windows\r\n"
    "[Version]\r\n"
    "signature=\"$CHICAGO$\"\r\n"
    "\r\n"
    "[DefaultInstall]\r\n"
    "CopyFiles = Scheme.Cur, Scheme.Txt\r\n"
    "AddReg    = Scheme.Reg, Wreg\r\n"
    "\r\n"
    "[DestinationDirs]\r\n"
    "Scheme.Cur = 10,\"%CUR_DIR%\"\r\n"
    "\r\n"
    "[Scheme.Reg]\r\n"
    "HKCU,\"Control Panel\\Cursors\\Schemes\",\"%SCHEME_NAME%\",,\"%10%\\%CUR_DIR%\\%pointer%,%10%\\%CUR_DIR%"
    "\\%help%,%10%\\%CUR_DIR%\\%work%,%10%\\%CUR_DIR%\\%busy%,%10%\\%CUR_DIR%\\%cross%,%10%\\%CUR_DIR%\\%"
    "Text%,"
    "%10%\\%CUR_DIR%\\%Hand%,%10%\\%CUR_DIR%\\%unavailiable%,%10%\\%CUR_DIR%\\%Vert%,%10%\\%CUR_DIR%\\%Horz%,"
    "%10%\\%CUR_DIR%\\%Dgn1%,%10%\\%CUR_DIR%\\%Dgn2%,%10%\\%CUR_DIR%\\%move%,%10%\\%CUR_DIR%\\%alternate%,"
    "%10%\\%CUR_DIR%\\%link%\"\r\n"
    "\r\n"
    "[Wreg]\r\n"
    "HKCU,\"Control Panel\\Cursors\",,0x00020000,\"%SCHEME_NAME%\"\r\n"
    "HKCU,\"Control Panel\\Cursors\",Pin,0x00020000,\"%10%\\%CUR_DIR%\\%pin%\"\r\n"
    "HKCU,\"Control Panel\\Cursors\",Person,0x00020000,\"%10%\\%CUR_DIR%\\%person%\"\r\n"
    "\r\n"
    "[Scheme.Cur]\r\n"
    "pointer.cur\r\n"
    "\r\n"
    "[Strings]\r\n"
    "CUR_DIR       = \"Cursors\\Breeze\"\r\n"
    "SCHEME_NAME   = \"Breeze\"\r\n"
    "pointer       = \"pointer.cur\"\r\n"
    "help          = \"help.cur\"\r\n"
    "work          = \"progress.ani\"\r\n"
    "busy          = \"wait.ani\"\r\n"
    "cross         = \"crosshair.cur\"\r\n"
    "text          = \"IBeam.cur\"\r\n"
    "hand          = \"hand.cur\"\r\n"
    "unavailiable  = \"unavailiable.cur\"\r\n"
    "vert          = \"vertical.cur\"\r\n"
    "horz          = \"horizontal.cur\"\r\n"
    "dgn1          = \"diag1.cur\"\r\n"
    "dgn2          = \"diag2.cur\"\r\n"
    "move          = \"move.cur\"\r\n"
    "alternate     = \"alternate.cur\"\r\n"
    "link          = \"link.cur\"\r\n"
    "pin           = \"pin.cur\"\r\n"
    "person        = \"person.cur\"\r\n";

TEST(InstallInf, ReadsTheSchemeThroughStringsAndFillsItsGapsFromPerRoleValues) {
    const InstallInf inf = parseInstallInf(kBreezeInf);
    EXPECT_TRUE(inf.hasCursors);
    EXPECT_EQ(inf.schemeName, "Breeze");
    const std::array<std::string, kRoleCount> expected = {
        "pointer.cur", "help.cur",         "progress.ani", "wait.ani",       "crosshair.cur", "IBeam.cur",
        "hand.cur",    "unavailiable.cur", "vertical.cur", "horizontal.cur", "diag1.cur",     "diag2.cur",
        "move.cur",    "alternate.cur",    "link.cur",     "pin.cur",        "person.cur"};
    EXPECT_EQ(inf.files, expected);
    // Pin and Person came from their values, beyond the 15 entries of the scheme line, as usual.
    EXPECT_TRUE(inf.notes.empty());
}

TEST(InstallInf, HklmSchemesAnyCaseQuotesCommentsContinuationsAndPercentSigns) {
    // The HKLM form, sections and keys in other cases, a ";" inside quotes (no comment), a comment after
    // a value, a line continued with "\", %% for a percent sign, %10% unknown and kept, "" for a quote.
    const std::string text =
        "[defaultinstall.NT]\n"
        "addreg=SchemeA ; the scheme\n"
        "[SCHEMEA]\n"
        "hklm,\"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Control Panel\\Cursors\\Schemes\",\"%Name%\","
        "0x00020000,\\\n"
        "   \"%10%\\Cursors\\%DIR%\\%ARROW%,,%10%\\Cursors\\%DIR%\\work;ing.ani,C:/cursors/100%%.cur,"
        "%SystemRoot%\\Cursors\\%Dir%\\\"\"q\"\".cur\"\n"
        "[strings]\n"
        "NAME=\"My \"\"Quoted\"\" Scheme\"\n"
        "dir = Mine\n"
        "Arrow=Arrow.CUR\n";
    const InstallInf inf = parseInstallInf(text);
    EXPECT_EQ(inf.schemeName, "My \"Quoted\" Scheme");
    EXPECT_EQ(file(inf, R::Arrow), "Arrow.CUR");
    EXPECT_EQ(file(inf, R::Help), "") << "an empty entry is no cursor";
    EXPECT_EQ(file(inf, R::AppStarting), "work;ing.ani");
    EXPECT_EQ(file(inf, R::Wait), "100%.cur");
    EXPECT_EQ(file(inf, R::Crosshair), "\"q\".cur");
    EXPECT_EQ(file(inf, R::IBeam), "");
    EXPECT_TRUE(inf.notes.empty()) << inf.notes[0];
}

TEST(InstallInf, PerRoleValuesAloneAndSeveralSchemes) {
    // No scheme line: the values under Control Panel\Cursors, in any order and case, and the default value
    // as the scheme's name. A value outside the seventeen ("Scheme Source") is no role.
    const std::string perRole = "[DefaultInstall]\n"
                                "AddReg = A\n"
                                "AddReg = B\n"
                                "[A]\n"
                                "HKCU,\"Control Panel\\Cursors\",,,\"Pack\"\n"
                                "HKCU,\"Control Panel\\Cursors\",\"Scheme Source\",0x00010001,1\n"
                                "HKCU,\"Control Panel\\Cursors\",sizeall,,\"c:\\x\\Move.ani\"\n"
                                "[B]\n"
                                "HKCU,\"Control Panel\\Cursors\",HAND,,\"%10%\\Cursors\\Link.ani\"\n"
                                "HKCU,\"Control Panel\\Cursors\",Arrow,,\"%10%\\Cursors\\Link.ani\"\n"
                                "HKCU,\"Control Panel\\Cursors\\Extra\",Wait,,\"busy.ani\"\n";
    const InstallInf inf = parseInstallInf(perRole);
    EXPECT_EQ(inf.schemeName, "Pack");
    EXPECT_EQ(file(inf, R::SizeAll), "Move.ani");
    EXPECT_EQ(file(inf, R::Hand), "Link.ani");
    EXPECT_EQ(file(inf, R::Arrow), "Link.ani") << "one file may serve several roles";
    EXPECT_EQ(file(inf, R::Wait), "") << "another key is no cursor value";
    EXPECT_TRUE(inf.notes.empty());

    // A gap in the scheme line is filled from the role's value, and said; a value for a role the scheme
    // gives does not replace it.
    const InstallInf gap = parseInstallInf("[DefaultInstall]\nAddReg=R\n[R]\n"
                                           "HKCU,\"Control Panel\\Cursors\\Schemes\",S,,\"a.cur,,c.cur\"\n"
                                           "HKCU,\"Control Panel\\Cursors\",Help,,\"h.cur\"\n"
                                           "HKCU,\"Control Panel\\Cursors\",Arrow,,\"x.cur\"\n");
    EXPECT_EQ(file(gap, R::Arrow), "a.cur");
    EXPECT_EQ(file(gap, R::Help), "h.cur");
    EXPECT_EQ(file(gap, R::AppStarting), "c.cur");
    ASSERT_EQ(gap.notes.size(), 1u);
    EXPECT_NE(gap.notes[0].find("no Help cursor"), std::string::npos) << gap.notes[0];

    // HKCU and HKLM lines of the same scheme agree; a different second scheme is left out and said so.
    const std::string twoSchemes =
        "[DefaultInstall]\nAddReg=R\n[R]\n"
        "HKCU,\"Control Panel\\Cursors\\Schemes\",\"One\",,\"a.cur,b.cur\"\n"
        "HKLM,\"Software\\Microsoft\\Windows\\CurrentVersion\\Control Panel\\Cursors\\Schemes\",\"One\",,"
        "\"a.cur,b.cur\"\n"
        "HKCU,\"Control Panel\\Cursors\\Schemes\",\"Two\",,\"c.cur\"\n";
    const InstallInf two = parseInstallInf(twoSchemes);
    EXPECT_EQ(two.schemeName, "One");
    EXPECT_EQ(file(two, R::Arrow), "a.cur");
    EXPECT_EQ(file(two, R::Help), "b.cur");
    ASSERT_EQ(two.notes.size(), 1u);
    EXPECT_NE(two.notes[0].find("'Two'"), std::string::npos);
}

std::vector<std::uint8_t> utf16le(std::string_view ascii, bool bom) {
    std::vector<std::uint8_t> bytes;
    if (bom)
        bytes = {0xFF, 0xFE};
    for (char c : ascii) {
        bytes.push_back(static_cast<std::uint8_t>(c));
        bytes.push_back(0);
    }
    return bytes;
}

TEST(InstallInf, Utf16AndUtf8AndAnsiFilesReadTheSame) {
    const InstallInf plain = parseInstallInf(kBreezeInf);
    const InstallInf withBom = parseInstallInfBytes(utf16le(kBreezeInf, true));
    EXPECT_EQ(withBom.files, plain.files);
    EXPECT_EQ(withBom.schemeName, "Breeze");
    EXPECT_EQ(parseInstallInfBytes(utf16le(kBreezeInf, false)).files, plain.files);

    // UTF-16 big endian with a non-ASCII name; UTF-8 with a mark.
    std::vector<std::uint8_t> big = {0xFE, 0xFF};
    const std::u16string text = u"[DefaultInstall]\nAddReg=R\n[R]\nHKCU,\"Control Panel\\Cursors\\Schemes\","
                                u"\"Caf\u00e9\",,\"\u00e9t\u00e9.cur\"\n";
    for (char16_t c : text) {
        big.push_back(static_cast<std::uint8_t>(c >> 8));
        big.push_back(static_cast<std::uint8_t>(c & 0xFF));
    }
    const InstallInf be = parseInstallInfBytes(big);
    EXPECT_EQ(be.schemeName, "Caf\xC3\xA9");
    EXPECT_EQ(file(be, R::Arrow), "\xC3\xA9t\xC3\xA9.cur");
    std::string utf8 = "\xEF\xBB\xBF";
    utf8 += kBreezeInf;
    EXPECT_EQ(parseInstallInfBytes(std::vector<std::uint8_t>(utf8.begin(), utf8.end())).files, plain.files);

    // An ANSI file (code page 932 here) with a byte that is no UTF-8 in a comment reads the same.
    std::string ansi = "; \x83\x4A\x81\x5B\x83\x5C\x83\x8B\n";
    ansi += kBreezeInf;
    EXPECT_EQ(parseInstallInfBytes(std::vector<std::uint8_t>(ansi.begin(), ansi.end())).files, plain.files);
}

TEST(InstallInf, HostileTextNeverFailsAndStaysBounded) {
    for (std::string_view text :
         {std::string_view(""), std::string_view("["), std::string_view("]]]["),
          std::string_view("\"\"\"\n\\"), std::string_view("%"),
          std::string_view("[DefaultInstall]\nAddReg=\n"), std::string_view("[Strings]\n=\n%=%\n\"=\"=\"\n"),
          std::string_view("\\\n\\\n\\")}) {
        const InstallInf inf = parseInstallInf(text);
        EXPECT_FALSE(inf.hasCursors) << text;
    }
    // A section named but missing is said; the other sections are searched for the scheme.
    const InstallInf missing = parseInstallInf(
        "[DefaultInstall]\nAddReg=Gone\n[Other]\nHKCU,Control Panel\\Cursors\\Schemes,S,,a.cur\n");
    EXPECT_EQ(file(missing, R::Arrow), "a.cur");
    ASSERT_FALSE(missing.notes.empty());
    EXPECT_NE(missing.notes[0].find("[gone]"), std::string::npos) << missing.notes[0];

    // A string of 60000 bytes used 100 times: the value is cut at 64 KiB, not grown to 6 MB.
    std::string big = "[DefaultInstall]\nAddReg=R\n[R]\nHKCU,\"Control Panel\\Cursors\\Schemes\",S,,\"";
    for (int i = 0; i < 100; ++i)
        big += "%a%";
    big += ",b.cur\"\n[Strings]\na=" + std::string(60000, 'x') + "\n";
    const InstallInf cut = parseInstallInf(big);
    EXPECT_LE(file(cut, R::Arrow).size(), std::size_t{1} << 16);
    EXPECT_EQ(file(cut, R::Help), "") << "what lay beyond the cut is gone";
    ASSERT_FALSE(cut.notes.empty());
    EXPECT_NE(cut.notes.back().find("cut"), std::string::npos);

    // Thousands of missing sections give a bounded list of notes.
    std::string many = "[DefaultInstall]\nAddReg=";
    for (int i = 0; i < 5000; ++i)
        many += "s" + std::to_string(i) + ",";
    EXPECT_EQ(parseInstallInf(many).notes.size(), kMaxInfNotes);
    // More than 17 entries: the extra ones are said to have no roles.
    const InstallInf extra =
        parseInstallInf("[R]\nHKCU,Control Panel\\Cursors\\Schemes,S,,\"" + std::string(20, ',') + "\"\n");
    EXPECT_FALSE(extra.hasCursors);
    ASSERT_EQ(extra.notes.size(), 1u);
    EXPECT_NE(extra.notes[0].find("21 cursors"), std::string::npos) << extra.notes[0];
}

TEST(InstallInf, TheFuzzSeedsParseWithinTheirBounds) {
    // The seeds of fuzz_install_inf (hand-made packs and what the fuzzer kept) in every build.
    const std::filesystem::path seeds =
        std::filesystem::path(VANTLE_TEST_DATA) / ".." / ".." / "fuzz" / "corpus" / "inf";
    int count = 0;
    int withCursors = 0;
    for (const auto& entry : std::filesystem::directory_iterator(seeds)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                              std::istreambuf_iterator<char>()};
        const InstallInf inf = parseInstallInfBytes(bytes);
        ++count;
        withCursors += inf.hasCursors ? 1 : 0;
        EXPECT_LE(inf.notes.size(), kMaxInfNotes) << entry.path();
        for (const std::string& f : inf.files)
            EXPECT_EQ(f.find_first_of("\\/"), std::string::npos) << entry.path();
    }
    EXPECT_GE(count, 7);
    EXPECT_GE(withCursors, 6) << "the hand-made packs all name cursors";
    const std::vector<std::uint8_t> breeze = [&] {
        std::ifstream in(seeds / "breeze-utf16le-bom.inf", std::ios::binary);
        return std::vector<std::uint8_t>{std::istreambuf_iterator<char>(in),
                                         std::istreambuf_iterator<char>()};
    }();
    EXPECT_EQ(parseInstallInfBytes(breeze).files, parseInstallInf(kBreezeInf).files);
}

} // namespace
} // namespace vantle::theme
