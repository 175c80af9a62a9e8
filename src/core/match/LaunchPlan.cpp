#include "core/match/LaunchPlan.h"

namespace pollwick {

std::optional<GameEdition> editionForVersion(std::string_view version)
{
    if (version == "1.21" || version == "1.21 s") {
        return GameEdition::Normal;
    }
    if (version == "1.24" || version == "1.24 s") {
        return GameEdition::Ambrel;
    }
    if (version == "1.21 x") {
        return GameEdition::Corvane;
    }
    if (version == "1.24 x") {
        return GameEdition::Pellory;
    }
    return std::nullopt;
}

std::string_view editionName(GameEdition edition)
{
    switch (edition) {
    case GameEdition::Normal:
        return "Normal";
    case GameEdition::Ambrel:
        return "Ambrel";
    case GameEdition::Corvane:
        return "Corvane";
    case GameEdition::Pellory:
        return "Pellory";
    }
    return "Normal";
}

std::optional<LaunchPlan> planLaunch(const ServerRecord& matched, ParsedFields fromLine)
{
    if (matched.ipAddress == "private") {
        return std::nullopt;
    }
    if (!fromLine.has(ParsedFields::Version) || !fromLine.has(ParsedFields::IpAddress)) {
        return std::nullopt;
    }
    const std::optional<GameEdition> edition = editionForVersion(matched.version);
    if (!edition) {
        return std::nullopt;
    }
    const std::string_view address = matched.ipAddress;
    const std::size_t first = address.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return std::nullopt; // the line named no address: there is nothing to connect to
    }
    return LaunchPlan{
        *edition, std::string(address.substr(first, address.find_last_not_of(' ') - first + 1))};
}

} // namespace pollwick
