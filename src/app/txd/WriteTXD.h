// The dictionary writer: turns the tables of the current connection (the rows
// of GTQ, as the catalogue window read them) into a Clarion text dictionary
// and opens it in the user's text viewer.
//
// Every GTQ row gets its label in TABLENAME and the catalogue's name in
// ORGINALTABLENAME, system tables included; the tables written get labels
// unique without regard to case. A table whose names the catalogue queues
// cannot hold whole (too long, or with letters Windows-1252 lacks) is left
// out and reported with a MESSAGE once the file is written, together with
// the tables the table list left out for their own names. A file that cannot
// be written, a catalogue read that fails, or a name that does not fit once
// completed, is reported with a MESSAGE (after the file is closed) and not
// shown; an existing dictionary then stays as it was. Without a connection,
// or when the table list could not be read (the connection lost), nothing is
// written, and the MESSAGE says why.
//
// `progress` is told how far the writer is while it works.
#pragma once

#include "app/txd/TxdProgress.h"

void WriteTXD(const TxdProgress& progress = TxdProgress());
