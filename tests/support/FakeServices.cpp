#include "FakeServices.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <unistd.h>
#include <utility>

platform::BoxAnswer ScriptedBoxes::show(const platform::BoxRequest& request) {
    shown.push_back(request);
    if (answers.empty())
        return request.buttons == platform::BoxButtons::YesNo ? platform::BoxAnswer::Yes
                                                              : platform::BoxAnswer::Ok;
    const auto answer = answers.front();
    answers.pop_front();
    return answer;
}

void RecordingSound::playThen(const std::filesystem::path& wave, QObject& context,
                              std::function<void()> ended) {
    played.emplace_back(wave.string(), platform::Wait::UntilEnd);
    playing_.emplace_back(&context, std::move(ended));
}

bool RecordingSound::endCue() {
    if (playing_.empty())
        return false;
    auto [context, ended] = std::move(playing_.front());
    playing_.pop_front();
    if (context)
        ended();
    return true;
}

namespace {

bool IsExecutableFile(const std::filesystem::path& file) {
    std::error_code error;
    return std::filesystem::is_regular_file(file, error) && ::access(file.c_str(), X_OK) == 0;
}

// Looked for as the system looks for a program to run: a name with a "/" as it is, any other
// in the folders of PATH, an empty entry there standing for the working folder.
bool CanBeStarted(const std::string& program) {
    if (program.empty())
        return false;
    if (program.find('/') != std::string::npos)
        return IsExecutableFile(program);
    const char* path = std::getenv("PATH");
    std::string_view folders = path ? path : "/bin:/usr/bin";
    while (true) {
        const std::size_t end = std::min(folders.find(':'), folders.size());
        const std::string folder(folders.substr(0, end));
        if (IsExecutableFile(std::filesystem::path(folder.empty() ? "." : folder) / program))
            return true;
        if (end == folders.size())
            return false;
        folders.remove_prefix(end + 1);
    }
}

platform::ItemPick NextPick(std::deque<platform::ItemPick>& picks) {
    if (picks.empty())
        return platform::ItemPick::cancelled();
    platform::ItemPick pick = picks.front();
    picks.pop_front();
    return pick;
}

} // namespace

platform::ItemPick ScriptedChooser::chooseItem(const std::string& prompt,
                                               const std::string& nameFilter) {
    prompts.push_back(prompt);
    nameFilters.push_back(nameFilter);
    return NextPick(picks);
}

platform::ItemPick ScriptedChooser::chooseFolder(const std::string& prompt) {
    prompts.push_back(prompt);
    return NextPick(picks);
}

void RecordingLauncher::startDetached(const std::string& program,
                                      const std::vector<std::string>& arguments,
                                      std::chrono::milliseconds /*watch*/, QObject& context,
                                      std::function<void(platform::Watched)> outcome) {
    started.emplace_back(program, arguments);
    if (!starts.value_or(CanBeStarted(program))) {
        QMetaObject::invokeMethod(
            &context, [outcome = std::move(outcome)] { outcome(platform::Watched::NotStarted); },
            Qt::QueuedConnection);
        return;
    }
    context_ = &context;
    outcome_ = std::move(outcome);
}

bool RecordingLauncher::endWatch(platform::Watched what) {
    if (!outcome_)
        return false;
    auto outcome = std::exchange(outcome_, nullptr);
    if (context_)
        outcome(what);
    return true;
}
