// A catalogue name made fit for a label of the dictionary: separators become
// "_", then so does every other character a label cannot hold (anything but
// the ASCII letters, digits and "_"), and a leading digit gets a "_" before
// it. Applying it twice changes nothing.
#pragma once

#include <string>
#include <string_view>

std::string CleanName(std::string_view name);
