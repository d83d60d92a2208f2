#include "NumberedName.h"

std::string_view FileExtension(std::string_view name) {
    const std::size_t dot = name.find('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

std::string NumberedName(std::string_view oldName, std::string_view label, std::int16_t number,
                         Placement placement) {
    const std::string digits = std::to_string(number);
    std::string name =
        placement == Placement::Prefix ? std::string(label) + digits : digits + std::string(label);
    name += FileExtension(oldName);
    return name;
}
