// The dictionary file being written: the lines go to a new file beside the
// dictionary, which replaces it only when complete, so that a failure
// half-way (the disk full, a catalogue read the writer gives up on) leaves an
// existing dictionary as it was and a dictionary that could not be written is
// never reported as written.
#pragma once

#include "platform/files/WholeLineFile.h"

using TxdOutput = platform::WholeLineFile;
