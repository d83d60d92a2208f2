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
