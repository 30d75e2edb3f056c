// The connection window: the user states how to reach the data source, from
// a data source name, user name and password or as a whole connect string.
// Closing it, by any road, connects with that string and remembers the
// entries for the next run.
#pragma once

void ChooseODBCconnection();
