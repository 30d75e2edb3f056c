// The restyle data files the program goes on without for the rest of a run.
// A file is marked at its first failure (its opening at set-up, a write
// later), which alone is told to the user; a marked file is read as far as
// it is open and written no more, and its failures are not told again. So a
// message box that reports one, styled in its turn, never raises another,
// and the program can always be closed.
//
// One list for the program, shared by every thread; the style manager's Init
// and Kill clear it, as a run starts and ends.
#pragma once

namespace platform {
class KeyedFile;
}

namespace restyle {

bool isUnavailable(const platform::KeyedFile& file);
// True when the file was not marked yet: the caller tells the failure.
bool markUnavailable(const platform::KeyedFile& file);
void forgetUnavailableFiles();

}  // namespace restyle
