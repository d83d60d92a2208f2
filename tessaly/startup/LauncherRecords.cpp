#include "LauncherRecords.h"

#include "platform/KeyValues.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <algorithm>
#include <cctype>
#include <exception>
#include <filesystem>
#include <yaml-cpp/yaml.h>

namespace {

bool IsNumber(const std::string& key) {
    return !key.empty() &&
           std::ranges::all_of(key, [](unsigned char c) { return std::isdigit(c) != 0; });
}

// Qt's parser refuses documents nested deeper than this already; the limit here only bounds
// the walk through what it accepted.
constexpr int kMaxJsonDepth = 1024;

void CollectTexts(const QJsonValue& value, const QString& key, int depth,
                  std::vector<std::string>& texts) {
    if (depth == kMaxJsonDepth)
        return;
    if (value.isArray()) {
        for (const QJsonValue& item : value.toArray())
            CollectTexts(item, key, depth + 1, texts);
    } else if (value.isObject()) {
        const QJsonObject object = value.toObject();
        for (auto member = object.begin(); member != object.end(); ++member) {
            if (member.key() == key && member.value().isString())
                texts.push_back(member.value().toString().toStdString());
            else
                CollectTexts(member.value(), key, depth + 1, texts);
        }
    }
}

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

std::vector<std::string> SteamLibraryFolders(std::string_view vdf) {
    std::vector<std::string> folders;
    const auto top = platform::ParseKeyValues(vdf);
    const platform::KeyValue* list = top ? top->find("libraryfolders") : nullptr;
    if (list == nullptr || !list->section)
        return folders;
    for (const platform::KeyValue& entry : list->children) {
        if (!IsNumber(entry.key))
            continue;
        const platform::KeyValue* path = entry.section ? entry.find("path") : &entry;
        if (path != nullptr && !path->section && !path->value.empty())
            folders.push_back(path->value);
    }
    return folders;
}

std::vector<std::string> JsonTextsUnder(std::string_view json, std::string_view key) {
    std::vector<std::string> texts;
    const QJsonDocument document =
        QJsonDocument::fromJson(QByteArray(json.data(), static_cast<qsizetype>(json.size())));
    const QJsonValue top =
        document.isArray() ? QJsonValue(document.array()) : QJsonValue(document.object());
    CollectTexts(top, QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size())), 0, texts);
    return texts;
}

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
