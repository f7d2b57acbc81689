#pragma once

// What went wrong with a database file: the one error type of the container and the stores.
enum class DatabaseError
{
    None,
    CannotOpen,   // missing, or the system refuses access
    Damaged,      // opened, but its bytes do not form what they claim
    CannotCreate, // the folder does not take a new file
    CannotWrite,  // a save did not reach the disk whole
    NoRecords,    // a reference database without the records it must have
    Locked,       // another running copy holds the file
};

// A short text for each error, for diagnostics ("cannot be opened", "damaged", ...).
const char* DatabaseErrorName(DatabaseError error);
