// The names of the seventeen roles in a theme, and the roles of files named as Windows packs name them.

#include "theme/CursorNames.h"
#include "theme/NameRoles.h"

#include <gtest/gtest.h>

#include <set>

namespace vantle::theme {
namespace {

using R = CursorRole;

TEST(RoleNames, EveryThemeNameBelongsToOneRoleAndTheToolkitNamesAreThere) {
    std::set<std::string_view> seen;
    for (CursorRole role : kAllRoles) {
        const RoleNames& names = roleNames(role);
        EXPECT_TRUE(seen.insert(names.fileName).second) << names.fileName;
        for (std::string_view link : names.links) {
            EXPECT_TRUE(seen.insert(link).second) << link;
            EXPECT_EQ(roleOfThemeName(link), role) << link;
        }
        EXPECT_EQ(roleOfRegistryName(names.windowsName), role);
    }
    // The names toolkits ask for, with the role each must land on.
    const std::vector<std::pair<std::string_view, R>> asked = {
        {"left_ptr", R::Arrow},
        {"default", R::Arrow},
        {"help", R::Help},
        {"5c6cd98b3f3ebcb1f9c7f1c204630408", R::Help},
        {"d9ce0ab605698f320427677b458ad60b", R::Help},
        {"progress", R::AppStarting},
        {"left_ptr_watch", R::AppStarting},
        {"3ecb610c1bf2410f44200f48c40d3599", R::AppStarting},
        {"08e8e1c95fe2fc01f976f1e063a24ccd", R::AppStarting},
        {"watch", R::Wait},
        {"wait", R::Wait},
        {"crosshair", R::Crosshair},
        {"text", R::IBeam},
        {"xterm", R::IBeam},
        {"pencil", R::NWPen},
        {"not-allowed", R::No},
        {"no-drop", R::No},
        {"03b6e0fcb3499374a867c041f52298f0", R::No},
        {"ns-resize", R::SizeNS},
        {"size_ver", R::SizeNS},
        {"row-resize", R::SizeNS},
        {"00008160000006810000408080010102", R::SizeNS},
        {"ew-resize", R::SizeWE},
        {"size_hor", R::SizeWE},
        {"col-resize", R::SizeWE},
        {"028006030e0e7ebffc7f7070c0600140", R::SizeWE},
        {"nwse-resize", R::SizeNWSE},
        {"c7088f0f3e6c8088236ef8e1e3e70000", R::SizeNWSE},
        {"nesw-resize", R::SizeNESW},
        {"fcf1c3c7cd4491d801f1e1c78f100000", R::SizeNESW},
        {"move", R::SizeAll},
        {"all-scroll", R::SizeAll},
        {"fleur", R::SizeAll},
        {"up_arrow", R::UpArrow},
        {"pointer", R::Hand},
        {"hand2", R::Hand},
        {"9d800788f1b08800ae810202380a0822", R::Hand},
        {"e29285e634086352946a0e7090d73106", R::Hand},
        {"pin", R::Pin},
        {"person", R::Person},
    };
    for (const auto& [name, role] : asked)
        EXPECT_EQ(roleOfThemeName(name), role) << name;
    EXPECT_FALSE(roleOfThemeName("vertical-text")) << "Windows has no vertical beam";
    EXPECT_FALSE(roleOfThemeName("LEFT_PTR")) << "theme names are exact";
    EXPECT_EQ(roleOfRegistryName("sizenwse"), R::SizeNWSE);
    EXPECT_FALSE(roleOfRegistryName("Scheme Source"));
    EXPECT_EQ(baseNameOf("/a/b.c/Wait.cur"), "Wait");
    EXPECT_EQ(baseNameOf("/a/left_ptr"), "left_ptr");
    EXPECT_EQ(baseNameOf(".hidden"), ".hidden");
}

TEST(RoleNames, WindowsPackFileNamesFindTheirRoles) {
    const std::vector<std::pair<std::string_view, R>> names = {
        {"Normal", R::Arrow},
        {"Normal Select", R::Arrow},
        {"arrow", R::Arrow},
        {"01 - Normal", R::Arrow},
        {"aero_arrow_xl", R::Arrow},
        {"select", R::Arrow},
        {"Help", R::Help},
        {"helpsel", R::Help},
        {"Help Select", R::Help},
        {"Working", R::AppStarting},
        {"Working In Background", R::AppStarting},
        {"AppStarting", R::AppStarting},
        {"Busy", R::Wait},
        {"wait", R::Wait},
        {"Precision", R::Crosshair},
        {"cross_r", R::Crosshair},
        {"Crosshair", R::Crosshair},
        {"text-select", R::IBeam},
        {"Text", R::IBeam},
        {"beam", R::IBeam},
        {"IBeam", R::IBeam},
        {"Handwriting", R::NWPen},
        {"pen", R::NWPen},
        {"NWPen", R::NWPen},
        {"Unavailable", R::No},
        {"unavail", R::No},
        {"no", R::No},
        {"Vertical Resize", R::SizeNS},
        {"vert", R::SizeNS},
        {"vertical", R::SizeNS},
        {"NS", R::SizeNS},
        {"sizens", R::SizeNS},
        {"aero_ns_l", R::SizeNS},
        {"size4_r", R::SizeNS},
        {"Horizontal Resize", R::SizeWE},
        {"horz", R::SizeWE},
        {"ew", R::SizeWE},
        {"SizeWE", R::SizeWE},
        {"Diagonal Resize 1", R::SizeNWSE},
        {"dgn1", R::SizeNWSE},
        {"diag1", R::SizeNWSE},
        {"nwse", R::SizeNWSE},
        {"Diagonal Resize 2", R::SizeNESW},
        {"dgn2", R::SizeNESW},
        {"Diag2", R::SizeNESW},
        {"sizenesw", R::SizeNESW},
        {"Move", R::SizeAll},
        {"sizeall", R::SizeAll},
        {"Alternate Select", R::UpArrow},
        {"alternate", R::UpArrow},
        {"UpArrow", R::UpArrow},
        {"up", R::UpArrow},
        {"Link Select", R::Hand},
        {"link", R::Hand},
        {"Location Select", R::Pin},
        {"pin", R::Pin},
        {"Person Select", R::Person},
        {"person", R::Person},
        {"left_ptr", R::Arrow},
        {"ns-resize", R::SizeNS},
        {"size_fdiag", R::SizeNWSE},
        {"not-allowed", R::No},
    };
    for (const auto& [name, role] : names) {
        const std::vector<CursorRole> roles = rolesForBaseName(name);
        ASSERT_EQ(roles.size(), 1u) << name;
        EXPECT_EQ(roles[0], role) << name;
    }
    EXPECT_EQ(rolesForBaseName("pointer"), (std::vector{R::Arrow, R::Hand}));
    EXPECT_EQ(rolesForBaseName("Hand"), (std::vector{R::Hand, R::NWPen}));
    EXPECT_TRUE(rolesForBaseName("banana").empty());
    EXPECT_TRUE(rolesForBaseName("").empty());
    EXPECT_TRUE(rolesForBaseName("---").empty());
    EXPECT_EQ(nameKey("01 - Text Select_xl"), "text");
}

TEST(RoleNames, EveryTableNameOfARoleLeadsBackToIt) {
    // A name listed for two roles would silently go to the first: every theme name and Windows name of a
    // role finds that role (or, for the two ambiguous names, lists it).
    for (CursorRole role : kAllRoles) {
        const RoleNames& names = roleNames(role);
        std::vector<std::string_view> all(names.links.begin(), names.links.end());
        all.push_back(names.fileName);
        all.push_back(names.windowsName);
        for (std::string_view name : all) {
            const std::vector<CursorRole> roles = rolesForBaseName(name);
            EXPECT_NE(std::find(roles.begin(), roles.end(), role), roles.end()) << name;
        }
    }
}

TEST(RoleNames, ClashesKeepTheFirstFileAndAmbiguousNamesTakeWhatIsFree) {
    {
        // Two files for Wait: the first keeps it; the clash is said.
        const std::vector<std::string> files = {"/p/wait.cur", "/p/busy.ani", "/p/Normal.cur"};
        const NameAssignment a = assignRolesByName(files);
        EXPECT_EQ(a.inputOfRole[roleIndex(R::Wait)], 0u);
        EXPECT_EQ(a.inputOfRole[roleIndex(R::Arrow)], 2u);
        EXPECT_EQ(a.leftOut, (std::vector<std::size_t>{1}));
        ASSERT_EQ(a.notes.size(), 1u);
        EXPECT_NE(a.notes[0].find("busy.ani"), std::string::npos) << a.notes[0];
        EXPECT_NE(a.notes[0].find("wait.cur came first"), std::string::npos) << a.notes[0];
    }
    {
        // "pointer" beside a clear arrow is the hand; "hand" beside a clear link is the pen.
        const std::vector<std::string> files = {"/p/pointer.cur", "/p/hand.cur", "/p/normal.cur",
                                                "/p/link.cur"};
        const NameAssignment a = assignRolesByName(files);
        EXPECT_EQ(a.inputOfRole[roleIndex(R::Arrow)], 2u);
        EXPECT_EQ(a.inputOfRole[roleIndex(R::Hand)], 3u);
        EXPECT_EQ(a.inputOfRole[roleIndex(R::NWPen)], 1u);
        EXPECT_FALSE(a.inputOfRole[roleIndex(R::Pin)]);
        // pointer.cur: Arrow taken by normal.cur, Hand by link.cur: left out, and said so.
        EXPECT_EQ(a.leftOut, (std::vector<std::size_t>{0}));
        ASSERT_EQ(a.notes.size(), 2u);
        EXPECT_NE(a.notes[0].find("pointer.cur: the name may mean Arrow or Hand; all are taken"),
                  std::string::npos)
            << a.notes[0];
        EXPECT_NE(
            a.notes[1].find("hand.cur: the name may mean Hand or NWPen; taken as NWPen (Hand is link.cur)"),
            std::string::npos)
            << a.notes[1];
    }
    {
        // Alone, "pointer" is the arrow (as Windows packs name it) and "hand" the link hand.
        const std::vector<std::string> files = {"/p/Pointer.cur", "/p/Hand.cur"};
        const NameAssignment a = assignRolesByName(files);
        EXPECT_EQ(a.inputOfRole[roleIndex(R::Arrow)], 0u);
        EXPECT_EQ(a.inputOfRole[roleIndex(R::Hand)], 1u);
        EXPECT_EQ(a.notes.size(), 2u) << "an ambiguous name is never taken silently";
    }
    {
        // Names of no role are their own cursors, each name once.
        const std::vector<std::string> files = {"/p/special.cur", "/q/special.ani", "/p/other"};
        const NameAssignment a = assignRolesByName(files);
        EXPECT_EQ(a.ownNamed, (std::vector<std::size_t>{0, 2}));
        EXPECT_EQ(a.leftOut, (std::vector<std::size_t>{1}));
    }
}

} // namespace
} // namespace vantle::theme
