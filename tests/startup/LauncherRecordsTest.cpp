#include "tessaly/startup/LauncherRecords.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using Paths = std::vector<std::string>;

TEST(SteamLibraryFolders, ReadsTheOldFlatListAndTheNewNestedOne) {
    struct Case {
        const char* name;
        const char* vdf;
        Paths folders;
    };
    const Case cases[] = {
        {"old flat",
         R"("LibraryFolders"
{
	"TimeNextStatsReport"		"1697000000"
	"ContentStatsID"		"-4870000000000000000"
	"1"		"/mnt/games/SteamLibrary"
	"2"		"/media/me/Big Disk/Steam"
})",
         {"/mnt/games/SteamLibrary", "/media/me/Big Disk/Steam"}},
        {"new nested",
         R"("libraryfolders"
{
	"0"
	{
		"path"		"/home/me/.local/share/Steam"
		"label"		""
		"contentid"		"123"
		"apps"
		{
			"228980"		"123456"
		}
	}
	"1"
	{
		"label"		"games"
		"path"		"/mnt/games/SteamLibrary"
		"mounted"		"1"
	}
})",
         {"/home/me/.local/share/Steam", "/mnt/games/SteamLibrary"}},
        {"escapes and a section without a path",
         R"("libraryfolders" { "1" { "label" "x" } "2" { "path" "/a \"b\"\\c" } })",
         {"/a \"b\"\\c"}},
        {"another file", R"("AppState" { "1" "/not/a/library" })", {}},
        {"corrupt", R"("libraryfolders" { "1" "/mnt/games)", {}},
        {"empty", "", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SteamLibraryFolders(c.vdf), c.folders) << c.name;
}

TEST(JsonTextsUnder, FindsTheKeyAtAnyDepthOfEachHeroicRecord) {
    struct Case {
        const char* name;
        const char* json;
        const char* key;
        Paths texts;
    };
    const Case cases[] = {
        {"gog_store installed",
         R"({"installed": [{"appName": "1", "install_path": "/g/One", "platform": "windows"},
                           {"appName": "2", "install_path": "/g/Two"}]})",
         "install_path",
         {"/g/One", "/g/Two"}},
        {"legendary installed",
         R"({"Zeta": {"install_path": "/e/Z"}, "Alpha": {"install_path": "/e/A"}})",
         "install_path",
         {"/e/A", "/e/Z"}},
        {"nile installed", R"([{"id": "x", "path": "/a/X", "version": "1"}])", "path", {"/a/X"}},
        {"game settings",
         R"({"abc": {"winePrefix": "/p/abc", "wineVersion": {"bin": "/w"}},
                              "version": "v0"})",
         "winePrefix",
         {"/p/abc"}},
        {"not a text", R"({"install_path": 3, "x": {"install_path": null}})", "install_path", {}},
        {"UTF-8 path", "{\"path\": \"/g/Caf\xC3\xA9\"}", "path", {"/g/Caf\xC3\xA9"}},
        {"corrupt", R"({"installed": [{"install_path": "/g/One"})", "install_path", {}},
        {"empty", "", "install_path", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(JsonTextsUnder(c.json, c.key), c.texts) << c.name;
}

TEST(LutrisGameFromYaml, TakesTheFoldersOfTheExecutableAndWorkingFolderAndThePrefix) {
    struct Case {
        const char* name;
        const char* yaml;
        Paths folders;
        const char* prefix;
    };
    const Case cases[] = {
        {"absolute",
         "game:\n  exe: /home/me/Games/iv/drive_c/Ironvale/Ironvale.exe\n"
         "  prefix: /home/me/Games/iv\n  working_dir: /home/me/Games/iv/drive_c\n"
         "system: {}\nwine:\n  version: lutris-7.2\n",
         {"/home/me/Games/iv/drive_c/Ironvale", "/home/me/Games/iv/drive_c"},
         "/home/me/Games/iv"},
        {"relative to the prefix",
         "game:\n  exe: drive_c/Ironvale/Ironvale.exe\n  prefix: /p\n",
         {"/p/drive_c/Ironvale"},
         "/p"},
        {"relative without a prefix", "game:\n  exe: Ironvale/Ironvale.exe\n", {}, ""},
        {"prefix alone", "game: {prefix: '/p q'}\n", {}, "/p q"},
        {"no game section", "system:\n  exe: /x/y.exe\n", {}, ""},
        {"game is no section", "game: 3\n", {}, ""},
        {"exe is no text", "game:\n  exe: [/a, /b]\n  prefix: /p\n", {}, "/p"},
        {"corrupt", "game:\n  exe: /x/y.exe\n  prefix: [unclosed\n", {}, ""},
        {"not a map", "- a\n- b\n", {}, ""},
        {"empty", "", {}, ""},
    };
    for (const Case& c : cases) {
        const LutrisGame game = LutrisGameFromYaml(c.yaml);
        EXPECT_EQ(game.folders, c.folders) << c.name;
        EXPECT_EQ(game.prefix, c.prefix) << c.name;
    }
}

} // namespace
