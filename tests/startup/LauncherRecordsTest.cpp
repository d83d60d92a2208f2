#include "tessaly/startup/LauncherRecords.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using Paths = std::vector<std::string>;

TEST(SteamLibraryFolders, ReadsTheOldFlatListAndTheNewNestedOne) {
    const std::pair<const char*, Paths> cases[] = {
        {R"("LibraryFolders" { "TimeNextStatsReport" "1697000000" "1" "/mnt/a" "2" "/b c" })",
         {"/mnt/a", "/b c"}},
        {R"("libraryfolders" { "0" { "path" "/h/Steam" "apps" { "228980" "123" } }
                               "1" { "label" "x" } "2" { "path" "/mnt/a" } })",
         {"/h/Steam", "/mnt/a"}},
        {R"("AppState" { "1" "/not/a/library" })", {}},
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
        {R"({"installed": [{"id": "1", "path": "/1"}, {"path": "/2"}]})", "path", {"/1", "/2"}},
        {R"([{"id": "x", "path": "/a/X", "version": "1"}])", "path", {"/a/X"}},
        {R"({"a": {"winePrefix": "/p", "wine": {"bin": "/w"}}})", "winePrefix", {"/p"}},
        {R"({"path": 3, "x": {"path": null}})", "path", {}},
        {"{\"path\": \"/g/Caf\xC3\xA9\"}", "path", {"/g/Caf\xC3\xA9"}},
        {R"({"installed": [{"path": "/g/One"})", "path", {}},
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
        {"game:\n  exe: /p/I/I.exe\n  prefix: /p\n  working_dir: /p/c\n", {"/p/I", "/p/c"}, "/p"},
        {"game:\n  exe: drive_c/I/Ironvale.exe\n  prefix: /p\n", {"/p/drive_c/I"}, "/p"},
        {"game:\n  exe: Ironvale/Ironvale.exe\n", {}, ""},
        {"game: {prefix: '/p q'}\n", {}, "/p q"},
        {"system:\n  exe: /x/y.exe\n", {}, ""},
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
