#pragma once
// Result codes of the drawing database.
#include "adesk.h"

namespace Acad {
enum ErrorStatus {
    eOk = 0,
    eNotImplementedYet,
    eNotApplicable,
    eInvalidInput,
    eNullObjectId,
    eNullObjectPointer,
    eInvalidObjectId,
    eKeyNotFound,
    eDuplicateKey,
    eDuplicateRecordName,
    eInvalidSymbolTableName,
    eWasErased,
    eWasOpenedForWrite,
    eWasOpenedForRead,
    eNotOpenForWrite,
    eNotOpenForRead,
    eWasNotOpenedForWrite,
    eNotThatKindOfClass,
    eAlreadyInDb,
    eNotInDatabase,
    eNoDatabase,
    eWrongDatabase,
    eInvalidExtents,
    eInvalidIndex,
    eIteratorDone,
    eFileNotFound,
    eFileAccessErr,
    eFileSystemErr,
    eDwgNeedsRecovery, // a malformed drawing file
    eNotSupported,
    eInvalidAdsName,
};
} // namespace Acad

// The status's name, e.g. L"eKeyNotFound".
const ACHAR* acadErrorStatusText(Acad::ErrorStatus status);
