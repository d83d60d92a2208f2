#include "tessaly/startup/LauncherRecords.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using Paths = std::vector<std::string>;

TEST(SteamLibraryFolders, ReadsTheOldFlatListAndTheNewNestedOne) {
    const std::pair<const char*, Paths> cases[] = {
        {"\"LibraryFolders\"\n{\n\t\"TimeNextStatsReport\"\t\t\"1697000000\"\n"
         "\t\"1\"\t\t\"/mnt/games/SteamLibrary\"\n\t\"2\"\t\t\"/media/me/Big Disk/Steam\"\n}\n",
         {"/mnt/games/SteamLibrary", "/media/me/Big Disk/Steam"}},
        {"\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"/home/me/.local/share/Steam\"\n"
         "\t\t\"apps\"\n\t\t{\n\t\t\t\"228980\"\t\t\"123456\"\n\t\t}\n\t}\n\t\"1\"\n\t{\n"
         "\t\t\"label\"\t\t\"games\"\n\t\t\"path\"\t\t\"/mnt/games/SteamLibrary\"\n\t}\n}\n",
         {"/home/me/.local/share/Steam", "/mnt/games/SteamLibrary"}},
        {R"("libraryfolders" { "1" { "label" "x" } "2" { "path" "/a \"b\"\\c" } })",
         {"/a \"b\"\\c"}},
        {R"("AppState" { "1" "/not/a/library" })", {}},
        {R"("libraryfolders" { "1" "/mnt/games)", {}},
    };
    for (const auto& [vdf, folders] : cases)
        EXPECT_EQ(SteamLibraryFolders(vdf), folders) << vdf;
}

TEST(JsonTextsUnder, FindsTheKeyAtAnyDepthOfEachHeroicRecord) {
    struct Case {
        const char* json;
        const char* key;
        Paths texts;
    };
    const Case cases[] = {
        {R"({"installed": [{"appName": "1", "install_path": "/g/One"}, {"install_path": "/g/2"}]})",
         "install_path",
         {"/g/One", "/g/2"}},
        {R"({"Zeta": {"install_path": "/e/Z"}, "Alpha": {"install_path": "/e/A"}})",
         "install_path",
         {"/e/A", "/e/Z"}},
        {R"([{"id": "x", "path": "/a/X", "version": "1"}])", "path", {"/a/X"}},
        {R"({"abc": {"winePrefix": "/p/abc", "wineVersion": {"bin": "/w"}}, "version": "v0"})",
         "winePrefix",
         {"/p/abc"}},
        {R"({"install_path": 3, "x": {"install_path": null}})", "install_path", {}},
        {"{\"path\": \"/g/Caf\xC3\xA9\"}", "path", {"/g/Caf\xC3\xA9"}},
        {R"({"installed": [{"install_path": "/g/One"})", "install_path", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(JsonTextsUnder(c.json, c.key), c.texts) << c.json;
}

TEST(LutrisGameFromYaml, TakesTheFoldersOfTheExecutableAndWorkingFolderAndThePrefix) {
    struct Case {
        const char* yaml;
        Paths folders;
        const char* prefix;
    };
    const Case cases[] = {
        {"game:\n  exe: /h/Games/iv/drive_c/Ironvale/Ironvale.exe\n  prefix: /h/Games/iv\n"
         "  working_dir: /h/Games/iv/drive_c\nsystem: {}\nwine:\n  version: lutris-7.2\n",
         {"/h/Games/iv/drive_c/Ironvale", "/h/Games/iv/drive_c"},
         "/h/Games/iv"},
        {"game:\n  exe: drive_c/Ironvale/Ironvale.exe\n  prefix: /p\n",
         {"/p/drive_c/Ironvale"},
         "/p"},
        {"game:\n  exe: Ironvale/Ironvale.exe\n", {}, ""},
        {"game: {prefix: '/p q'}\n", {}, "/p q"},
        {"system:\n  exe: /x/y.exe\n", {}, ""},
        {"game: 3\n", {}, ""},
        {"game:\n  exe: [/a, /b]\n  prefix: /p\n", {}, "/p"},
        {"game:\n  exe: /x/y.exe\n  prefix: [unclosed\n", {}, ""},
        {"- a\n- b\n", {}, ""},
    };
    for (const Case& c : cases) {
        const LutrisGame game = LutrisGameFromYaml(c.yaml);
        EXPECT_EQ(game.folders, c.folders) << c.yaml;
        EXPECT_EQ(game.prefix, c.prefix) << c.yaml;
    }
}

} // namespace
