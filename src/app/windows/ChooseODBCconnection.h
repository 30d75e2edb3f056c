// The connection window: the user states how to reach the data source.
#pragma once

void ChooseODBCconnection();
