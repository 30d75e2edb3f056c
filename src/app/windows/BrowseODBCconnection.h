// The query window: SQL statements run against the data source.
#pragma once

void BrowseODBCconnection();
