// A window's hold on the catalogue's connection: tried at every read of its
// table list, its failures said, so that a window on a data source it cannot
// reach, or has lost, says why instead of showing empty lists as if the data
// source had no tables.
#pragma once

class CatalogueConnection {
public:
    // Connects the catalogue object, trying again after a failed connect; the
    // first failure since the window last had a connection brings up a
    // MESSAGE with the driver's reason when the window may tell. False
    // without a catalogue object (no message: nothing was chosen).
    bool check(bool mayTell = true);
    // After GetTables into the window's table list: true when the list was
    // read. When the window may tell, a list that could not be read says why,
    // and the tables left out for their names are named.
    bool tablesRead(bool mayTell = true);
    // After a read of a table's details: false, the reason said, when it
    // failed for want of a connection; the window reads no more details until
    // its table list has been read again.
    bool detailsRead();
    // What the last check or read found, while the catalogue object is there
    // (another window may have connected anew): details are read only then.
    bool usable() const;

private:
    bool usable_ = false;
    bool told_ = false;
};
