#include "restyle/RestyleRows.h"

namespace restyle {

std::string controlTypeGroup(platform::Long controlType) { return "ControlType " + std::to_string(controlType); }

std::string controlGroup(std::string_view label) { return "Control " + platform::upper(platform::clip(label)); }

std::string propertyName(platform::Long property) { return "property " + std::to_string(property); }

std::string imagesProperty(std::string_view profile) { return "~" + platform::clip(profile) + ":Images"; }

std::string imageProperty(std::string_view profile, platform::Long image) {
    return "~" + platform::clip(profile) + ":Image " + std::to_string(image);
}

}  // namespace restyle
