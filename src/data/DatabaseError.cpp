#include "data/DatabaseError.h"

const char* DatabaseErrorName(DatabaseError error)
{
    switch (error) {
    case DatabaseError::None:
        return "no error";
    case DatabaseError::CannotOpen:
        return "cannot be opened";
    case DatabaseError::Damaged:
        return "damaged";
    case DatabaseError::CannotCreate:
        return "cannot be created";
    case DatabaseError::CannotWrite:
        return "cannot be written";
    case DatabaseError::NoRecords:
        return "has no records";
    case DatabaseError::Locked:
        return "in use by another running copy";
    }
    return "unknown error";
}
