#include "app/txd/WriteTXD.h"

void WriteTXD() {}
