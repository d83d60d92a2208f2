#include "KnownPlaces.h"
#include "RecordFiles.h"

#include <exception>
#include <filesystem>
#include <yaml-cpp/yaml.h>

namespace {

std::string Text(const YAML::Node& section, const char* key) {
    const YAML::Node value = section[key];
    return value && value.IsScalar() ? value.Scalar() : std::string();
}

// Lutris takes a relative path from the game's prefix.
std::string FromPrefix(const std::string& path, const std::string& prefix) {
    if (path.empty() || path.starts_with('/'))
        return path;
    return prefix.starts_with('/') ? prefix + "/" + path : std::string();
}

} // namespace

LutrisGame LutrisGameFromYaml(const std::string& yaml) {
    LutrisGame game;
    try {
        const YAML::Node top = YAML::Load(yaml);
        const YAML::Node section = top.IsMap() ? top["game"] : YAML::Node();
        if (!section || !section.IsMap())
            return game;
        game.prefix = Text(section, "prefix");
        const std::string exe = FromPrefix(Text(section, "exe"), game.prefix);
        if (!exe.empty())
            game.folders.push_back(std::filesystem::path(exe).parent_path());
        const std::string workingDir = FromPrefix(Text(section, "working_dir"), game.prefix);
        if (!workingDir.empty())
            game.folders.push_back(workingDir);
    } catch (const std::exception&) {
        // YAML::Exception for a corrupt file; whatever was read before it stands.
    }
    return game;
}

// Lutris keeps one file per installed game, in the data folder now and in the config folder in
// older versions; the Flatpak keeps its own.
KnownPlaces LutrisPlaces(const HomeFolders& home) {
    KnownPlaces places;
    for (const std::string& games :
         {home.dataHome + "/lutris/games", home.configHome + "/lutris/games",
          home.home + "/.var/app/net.lutris.Lutris/data/lutris/games"}) {
        for (const std::string& file : FilesIn(games, "*.yml")) {
            LutrisGame game = LutrisGameFromYaml(ReadRecord(file));
            Append(places.gameFolders, std::move(game.folders));
            if (!game.prefix.empty())
                places.prefixes.push_back(std::move(game.prefix));
        }
    }
    return places;
}
