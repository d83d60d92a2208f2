#include "KnownPlaces.h"
#include "RecordFiles.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

namespace {

// Qt's parser refuses documents nested deeper than this already; the limit here only bounds
// the walk through what it accepted.
constexpr int kMaxDepth = 1024;

void CollectTexts(const QJsonValue& value, const QString& key, int depth,
                  std::vector<std::string>& texts) {
    if (depth == kMaxDepth)
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

} // namespace

std::vector<std::string> JsonTextsUnder(std::string_view json, std::string_view key) {
    std::vector<std::string> texts;
    const QJsonDocument document =
        QJsonDocument::fromJson(QByteArray(json.data(), static_cast<qsizetype>(json.size())));
    const QJsonValue top =
        document.isArray() ? QJsonValue(document.array()) : QJsonValue(document.object());
    CollectTexts(top, QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size())), 0, texts);
    return texts;
}

// Heroic keeps a record per store of the games it installed, and a settings file per game that
// names its Wine prefix.
KnownPlaces HeroicPlaces(const HomeFolders& home) {
    struct Record {
        const char* file;
        const char* key;
    };
    static constexpr Record kInstalled[] = {
        {"/gog_store/installed.json", "install_path"},
        {"/legendaryConfig/legendary/installed.json", "install_path"},
        {"/nile_config/nile/installed.json", "path"},
    };
    KnownPlaces places;
    for (const std::string& root :
         {home.configHome + "/heroic",
          home.home + "/.var/app/com.heroicgameslauncher.hgl/config/heroic"}) {
        for (const Record& record : kInstalled)
            Append(places.gameFolders, JsonTextsUnder(ReadRecord(root + record.file), record.key));
        for (const std::string& settings : FilesIn(root + "/GamesConfig", "*.json"))
            Append(places.prefixes, JsonTextsUnder(ReadRecord(settings), "winePrefix"));
    }
    return places;
}
