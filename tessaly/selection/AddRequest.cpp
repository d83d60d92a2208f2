#include "AddRequest.h"

#include <algorithm>

AddOutcome CheckAdd(int16_t count, const std::string& path,
                    const std::vector<std::string>& entries) {
    if (count >= MaxArmpatches)
        return AddOutcome::ListFull;
    if (path.empty())
        return AddOutcome::NothingChosen;
    if (std::find(entries.begin(), entries.end(), path) != entries.end())
        return AddOutcome::AlreadyListed;
    return AddOutcome::Insert;
}
