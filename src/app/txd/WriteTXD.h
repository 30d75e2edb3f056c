// The dictionary writer: turns the tables of the current connection into a
// Clarion text dictionary and opens it in the user's text viewer.
#pragma once

void WriteTXD();
