#include "FakeServices.h"

platform::BoxAnswer ScriptedBoxes::show(const platform::BoxRequest& request) {
    shown.push_back(request);
    if (answers.empty())
        return platform::BoxAnswer::Ok;
    const auto answer = answers.front();
    answers.pop_front();
    return answer;
}

namespace {

std::string NextPick(std::deque<std::string>& picks) {
    if (picks.empty())
        return {};
    std::string pick = picks.front();
    picks.pop_front();
    return pick;
}

} // namespace

std::string ScriptedChooser::chooseItem(const std::string& prompt) {
    prompts.push_back(prompt);
    return NextPick(picks);
}

std::string ScriptedChooser::chooseFolder(const std::string& prompt) {
    prompts.push_back(prompt);
    return NextPick(picks);
}
