#include "restyle/UnavailableFiles.h"

#include <set>

namespace restyle {
namespace {

std::set<const platform::KeyedFile*>& marked() {
    static std::set<const platform::KeyedFile*> files;
    return files;
}

}  // namespace

bool isUnavailable(const platform::KeyedFile& file) { return marked().count(&file) != 0; }

bool markUnavailable(const platform::KeyedFile& file) { return marked().insert(&file).second; }

void forgetUnavailableFiles() { marked().clear(); }

}  // namespace restyle
