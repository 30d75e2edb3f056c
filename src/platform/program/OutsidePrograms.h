// Starting the outside programs the program hands a file or an address to
// (the text viewer, the browser): the program an environment variable names
// (one program, taken whole: no options), else xdg-open, with the file as its
// one argument, never through a shell and without waiting for it.
#pragma once

#include <QString>
#include <string>

namespace platform {

// The program `variable` names, else xdg-open.
QString programNamedBy(const char* variable);
// `argument` is Windows-1252 text, as the program holds its names; false
// when the program could not be started.
bool startWith(const QString& program, const std::string& argument);

}  // namespace platform
