#include "NumberedRenames.h"

#include "RenameFile.h"

#include <filesystem>
#include <limits>
#include <stdexcept>

NumberedRenames PlanNumberedRenames(const std::string& folder,
                                    const std::vector<std::string>& names, std::string_view label,
                                    Placement placement) {
    const std::filesystem::path base(folder);
    NumberedRenames plan;
    std::int16_t number = 1;
    for (const std::string& name : names) {
        plan.renamings.push_back({(base / name).native(),
                                  (base / NumberedName(name, label, number, placement)).native()});
        if (number == std::numeric_limits<std::int16_t>::max()) {
            plan.numberOverflows = true;
            break;
        }
        ++number;
    }
    return plan;
}

PassEnd ApplyRenames(const NumberedRenames& plan, const Proceed& proceed) {
    for (const Renaming& renaming : plan.renamings) {
        if (!RenameFile(renaming.oldPath, renaming.newPath) &&
            !proceed(renaming.oldPath, renaming.newPath))
            return PassEnd::Stopped;
    }
    if (plan.numberOverflows)
        throw std::overflow_error("Overflow");
    return PassEnd::Finished;
}

std::string RenameErrorQuestion(const std::string& oldPath, const std::string& newPath,
                                Placement placement) {
    const char* exists =
        placement == Placement::Prefix ? " file already exists" : " file already exists ";
    return "There was an error renaming " + oldPath + " to " + newPath + exists + "\r\rProceed?";
}
