// A window's hold on the catalogue's connection: tried at every read of its
// table list, its failure said once per window, so that a window on a data
// source it cannot reach says why instead of showing empty lists as if the
// data source had no tables.
#pragma once

class CatalogueConnection {
public:
    // Connects the catalogue object, trying again after a failed connect;
    // the first failure in the window that may be told brings up a MESSAGE
    // with the driver's reason. False without a catalogue object (no message:
    // nothing was chosen).
    bool check(bool mayTell = true);
    // What the last check found, while the catalogue object is there (another
    // window may have connected anew): the details of a table are read only then.
    bool usable() const;

private:
    bool usable_ = false;
    bool told_ = false;
};
